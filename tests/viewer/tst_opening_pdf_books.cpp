#include "commands/control_names.h"
#include "session/page_list.h"
#include "session/user_messages.h"
#include "support/file_bytes.h"
#include "support/pdf_fixtures.h"
#include "support/real_book_fixture.h"
#include "support/view_modes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::BookFailure)

namespace {

// Four pages of sizes of their own: 96 dots per inch of 30 by 21 points and more. As pictures,
// each is one picture of its page's shape over the whole page, of four pixels a point.
QList<PdfPageSpec> bookPages()
{
    return {
        {Qt::blue, QSizeF(30, 21), QSize(120, 84)},
        {Qt::green, QSizeF(33, 24), QSize(132, 96)},
        {Qt::yellow, QSizeF(36, 27), QSize(144, 108)},
        {Qt::red, QSizeF(39, 30), QSize(156, 120)},
    };
}

// A page's size at actual size: the picture's pixels for a page that is one picture, 96 dots
// per inch of its points for a vector page.
QSize actualSizeOf(int index, bool picture)
{
    return picture ? bookPages().at(index).pixels : QSize(40 + 4 * index, 28 + 4 * index);
}

} // namespace

class TestOpeningPdfBooks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // A PDF opens as a book whatever its name: its pages in the document's order, named by
    // their numbers, each shown at its picture's pixels, or a vector page at 96 dots per inch of
    // its size.
    void aPdfIsABook_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("pdf");
        QTest::addColumn<bool>("pictures");
        QTest::newRow("pictures") << "Vol01.pdf" << picturePdf(bookPages()) << true;
        QTest::newRow("vectors") << "Vol02.pdf" << vectorPdf(bookPages()) << false;
        QTest::newRow("named as anything") << "Vol03.dat" << picturePdf(bookPages()) << true;
    }
    void aPdfIsABook()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, pdf);
        QFETCH(bool, pictures);
        const QString path = putIn(m_dir, name, pdf);
        RealBookFixture f;
        f.open(path);
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QVERIFY(f.browser.pages().isArchive());
        QCOMPARE(f.browser.pages().names(), QStringList({u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
        QCOMPARE(f.form.controls().window.caption, "Ruvo - " + path);
        for (int first = 0; first < 4; first += 2) {
            if (first > 0)
                f.form.NEXTP_Click();
            const Form1Controls& c = f.form.controls();
            QCOMPARE(c.picture2.picture.size(), actualSizeOf(first, pictures));
            QCOMPARE(c.picture3.picture.size(), actualSizeOf(first + 1, pictures));
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
        setOnePage(f.form, true);
        f.open(path + u"/3"_qs);
        QCOMPARE(f.browser.pages().folder(), path);
        QCOMPARE(f.state.pageIndex, 2);
        QCOMPARE(f.form.controls().picture2.picture.size(), actualSizeOf(2, true));
        QCOMPARE(f.state.shownPagePath, path + u"/3"_qs);
        f.open(path + u"/9"_qs);
        QCOMPARE(f.state.pageIndex, 0);
        QVERIFY(f.fakes.messages.shown.isEmpty());
    }

    // A page that cannot be drawn, or that asks for more than a page may take, is a damaged
    // page: the placeholder and the usual message, never the page before it under its number;
    // and the next page shows as ever.
    void aPageThatCannotBeDrawnIsDamaged_data()
    {
        QTest::addColumn<QByteArray>("secondPage");
        QTest::addColumn<QList<QByteArray>>("more");
        const auto stream = [](const QByteArray& entries, const QByteArray& data) {
            return "<< " + entries + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data +
                   "\nendstream";
        };
        QTest::newRow("a page of no height")
            << QByteArray("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 30 0] >>") << QList<QByteArray>();
        QTest::newRow("a picture of 400 million pixels")
            << QByteArray("<< /Type /Page /Parent 2 0 R /Resources << /XObject << /Im0 8 0 R >> >> /Contents "
                          "9 0 R >>")
            << QList<QByteArray>{
                   stream("/Type /XObject /Subtype /Image /Width 20000 /Height 20000 /ColorSpace "
                          "/DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                          qCompress(QByteArray(200000, '\0'), 9).mid(4)),
                   stream({}, "q 30 0 0 20 0 0 cm /Im0 Do Q")};
    }
    void aPageThatCannotBeDrawnIsDamaged()
    {
        QFETCH(QByteArray, secondPage);
        QFETCH(QList<QByteArray>, more);
        const QString path = putIn(m_dir, u"Vol05.pdf"_qs, threePagePdf(secondPage, more));
        RealBookFixture f;
        setOnePage(f.form, true);
        f.open(path);
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QCOMPARE(f.form.controls().picture2.picture.pixelColor(20, 13), QColor(Qt::red));
        f.form.NEXTP_Click();
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::damagedPicture(path + u"/2"_qs).text);
        QCOMPARE(f.form.controls().statusBar.panel(1), u"2 / 3"_qs);
        QCOMPARE(f.form.controls().picture2.picture, f.form.controls().picture5.picture);
        f.form.NEXTP_Click();
        QCOMPARE(f.state.shownPagePath, path + u"/3"_qs);
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(40, 27));
        QCOMPARE(f.form.controls().picture2.picture.pixelColor(20, 13), QColor(Qt::blue));
        QCOMPARE(f.fakes.messages.shown.size(), 1);
    }

    // A PDF of more pages than the list can hold shows the first of them and says so, with
    // the count, once, as an archive does.
    void pagesBeyondTheListAreTold()
    {
        const int count = PageList::maximumCount + 2;
        const QString path = putIn(m_dir, u"huge.pdf"_qs, manyPagePdf(count, Qt::green));
        RealBookFixture f;
        f.open(path);
        QCOMPARE(f.browser.pages().count(), PageList::maximumCount);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::pagesLeftOut(path, count).text);
        QVERIFY(f.fakes.messages.shown.first().text.contains(QString::number(count)));
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(40, 27));
        const QString last = path + u'/' + QString::number(PageList::maximumCount);
        f.form.openPath(last);
        QCOMPARE(f.state.shownPagePath, last);
        QCOMPARE(f.form.controls().picture2.picture.pixelColor(20, 13), QColor(Qt::green));
        QCOMPARE(f.fakes.messages.shown.size(), 1);
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
        f.open(good);
        f.form.NEXTP_Click();
        const QImage shown = f.form.controls().picture2.picture;
        f.open(bad);
        QCOMPARE(f.fakes.messages.shown.size(), 1);
        QCOMPARE(f.fakes.messages.shown.first().text, Messages::unreadableArchive(bad, failure).text);
        QVERIFY(f.fakes.messages.shown.first().text.contains(bad));
        // A PDF is named as a PDF, never as an archive.
        QVERIFY(f.fakes.messages.shown.first().title.contains(u"PDF"_qs));
        QVERIFY(!f.fakes.messages.shown.first().text.contains(u"書庫"_qs));
        QCOMPARE(f.browser.pages().folder(), good);
        QCOMPARE(f.state.pageIndex, 3);
        QCOMPARE(f.form.controls().picture2.picture, shown);
    }
};

QTEST_MAIN(TestOpeningPdfBooks)
#include "tst_opening_pdf_books.moc"
