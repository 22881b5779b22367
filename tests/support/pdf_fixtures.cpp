#include "support/pdf_fixtures.h"

#include "support/file_bytes.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace ruvo::test {

namespace {

// Runs a tool that makes a PDF; the test fails when it does not.
bool ran(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    [&] {
        QVERIFY2(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(program + u": "_qs + QString::fromLocal8Bit(process.readAllStandardError())));
    }();
    return finished && process.exitCode() == 0;
}

QString points(QSizeF size)
{
    return QStringLiteral("%1ptx%2pt").arg(size.width()).arg(size.height());
}

} // namespace

QByteArray picturePdf(const QList<PdfPageSpec>& pages)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"book.pdf"_qs);
    QStringList arguments;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        QImage picture(pages.at(i).pixels, QImage::Format_RGB32);
        picture.fill(pages.at(i).color);
        const QString jpeg = dir.filePath(QStringLiteral("%1.jpg").arg(i));
        if (!picture.save(jpeg, "JPEG", 95))
            return {};
        // Each page its own size: img2pdf takes one size for all, so each is made alone.
        const QString single = dir.filePath(QStringLiteral("%1.pdf").arg(i));
        if (!ran(u"img2pdf"_qs, {u"--pagesize"_qs, points(pages.at(i).points), jpeg, u"-o"_qs, single}))
            return {};
        arguments.append(single);
    }
    if (pages.size() == 1)
        return fileBytes(arguments.first());
    QStringList joined{u"--empty"_qs, u"--pages"_qs};
    joined += arguments;
    joined += {u"--"_qs, pdf};
    return ran(u"qpdf"_qs, joined) ? fileBytes(pdf) : QByteArray();
}

QByteArray vectorPdf(const QList<PdfPageSpec>& pages)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setResolution(72);
        QPainter painter;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            writer.setPageSize(
                QPageSize(pages.at(i).points, QPageSize::Point, QString(), QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF());
            if (i == 0)
                painter.begin(&writer);
            else
                writer.newPage();
            painter.fillRect(QRectF(QPointF(), pages.at(i).points), pages.at(i).color);
        }
        painter.end();
    }
    return bytes.data();
}

QByteArray encryptedPdf(const QByteArray& pdf)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(u"plain.pdf"_qs);
    const QString locked = dir.filePath(u"locked.pdf"_qs);
    if (!putFileBytes(plain, pdf))
        return {};
    return ran(u"qpdf"_qs, {u"--encrypt"_qs, u"reader"_qs, u"owner"_qs, u"256"_qs, u"--"_qs, plain, locked})
               ? fileBytes(locked)
               : QByteArray();
}

} // namespace ruvo::test
