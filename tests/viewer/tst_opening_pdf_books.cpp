#include "commands/control_names.h"
#include "session/user_messages.h"
#include "support/file_bytes.h"
#include "support/pdf_fixtures.h"
#include "support/real_book_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::BookFailure)

namespace {

// Four pages of sizes of their own: 96 dots per inch of 30 by 21 points and more.
QList<PdfPageSpec> bookPages()
{
    return {
        {Qt::blue, QSizeF(30, 21)},
        {Qt::green, QSizeF(33, 24)},
        {Qt::yellow, QSizeF(36, 27)},
        {Qt::red, QSizeF(39, 30)},
    };
}

QSize actualSizeOf(int index)
{
    return QSize(40 + 4 * index, 28 + 4 * index);
}

} // namespace

class TestOpeningPdfBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static void open(RealBookFixture& f, const QString& path)
    {
        f.form.controls().list1 = QStringList{path};
        f.form.dP();
    }

private Q_SLOTS:
    // A PDF opens as a book whatever its name: its pages in the document's order, named by
    // their numbers, each shown at 96 dots per inch of its size.
    void aPdfIsABook_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("pdf");
        QTest::newRow("pictures") << "Vol01.pdf" << picturePdf(bookPages());
        QTest::newRow("vectors") << "Vol02.pdf" << vectorPdf(bookPages());
        QTest::newRow("named as anything") << "Vol03.dat" << picturePdf(bookPages());
    }
    void aPdfIsABook()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, pdf);
        const QString path = putIn(m_dir, name, pdf);
        RealBookFixture f;
        open(f, path);
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QVERIFY(f.browser.pages().isArchive());
        QCOMPARE(f.browser.pages().names(), QStringList({u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + path);
        for (int first = 0; first < 4; first += 2) {
            if (first > 0)
                f.form.NEXTP_Click();
            const Form1Controls& c = f.form.controls();
            QCOMPARE(c.picture2.picture.size(), actualSizeOf(first));
            QCOMPARE(c.picture3.picture.size(), actualSizeOf(first + 1));
            QCOMPARE(c.statusBar.panel(3), QStringLiteral("[%1] %1").arg(first + 1));
            QCOMPARE(f.state.shownPagePath, path + u'/' + QString::number(first + 1));
        }
        QVERIFY(f.fakes.messages.shown.isEmpty());
    }

    // The path of a page of a PDF, as the shelf keeps it, opens the PDF at that page; one the
    // PDF does not have opens it at its first.
    void aPagePathOpensItsPdfThere()
    {
        const QString path = putIn(m_dir, u"Vol04.pdf"_qs, picturePdf(bookPages()));
        RealBookFixture f;
        f.form.controls().menu(MenuItem::onePage).checked = true;
        open(f, path + u"/3"_qs);
        QCOMPARE(f.browser.pages().folder(), path);
        QCOMPARE(f.state.pageIndex, 2);
        QCOMPARE(f.form.controls().picture2.picture.size(), actualSizeOf(2));
        QCOMPARE(f.state.shownPagePath, path + u"/3"_qs);
        open(f, path + u"/9"_qs);
        QCOMPARE(f.state.pageIndex, 0);
        QVERIFY(f.fakes.messages.shown.isEmpty());
    }

    // A PDF that cannot be a book says so in the words archives are refused with, naming the
    // file, and the open book stays.
    void anUnreadablePdfLeavesTheBook_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<BookFailure>("failure");
        const QByteArray pdf = picturePdf(bookPages());
        QTest::newRow("encrypted") << encryptedPdf(pdf) << BookFailure::Encrypted;
        QTest::newRow("damaged") << pdf.left(60) << BookFailure::Damaged;
    }
    void anUnreadablePdfLeavesTheBook()
    {
        QFETCH(QByteArray, pdf);
        QFETCH(BookFailure, failure);
        const QString good = putIn(m_dir, u"good.pdf"_qs, picturePdf(bookPages()));
        const QString bad = putIn(m_dir, QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_qs, pdf);
        RealBookFixture f;
        open(f, good);
        f.form.NEXTP_Click();
        const QImage shown = f.form.controls().picture2.picture;
        open(f, bad);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::unreadableArchive(bad, failure).text);
        QVERIFY(f.fakes.messages.shown.first().text.contains(bad));
        QCOMPARE(f.browser.pages().folder(), good);
        QCOMPARE(f.state.pageIndex, 3);
        QCOMPARE(f.form.controls().picture2.picture, shown);
    }
};

QTEST_MAIN(TestOpeningPdfBooks)
#include "tst_opening_pdf_books.moc"
