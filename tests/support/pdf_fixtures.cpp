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

// The PDF as qpdf writes it again with options.
QByteArray rewrittenByQpdf(const QByteArray& pdf, const QStringList& options)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(u"plain.pdf"_qs);
    const QString rewritten = dir.filePath(u"rewritten.pdf"_qs);
    if (!putFileBytes(plain, pdf))
        return {};
    return ran(u"qpdf"_qs, options + QStringList{u"--"_qs, plain, rewritten}) ? fileBytes(rewritten)
                                                                              : QByteArray();
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
    return rewrittenByQpdf(pdf, {u"--encrypt"_qs, u"reader"_qs, u"owner"_qs, u"256"_qs});
}

QByteArray jpegOf(const QImage& picture, int dotsPerInch)
{
    QImage withDensity = picture;
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    withDensity.setDotsPerMeterX(dotsPerMeter);
    withDensity.setDotsPerMeterY(dotsPerMeter);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    return withDensity.save(&bytes, "JPEG", 90) ? bytes.data() : QByteArray();
}

QByteArray imageFilePdf(const QByteArray& picture, const QString& suffix)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"page."_qs + suffix);
    const QString pdf = dir.filePath(u"page.pdf"_qs);
    if (!putFileBytes(file, picture))
        return {};
    return ran(u"img2pdf"_qs, {file, u"-o"_qs, pdf}) ? fileBytes(pdf) : QByteArray();
}

QByteArray pictureAndTextPdf(const QImage& picture, QSizeF points)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        painter.drawImage(QRectF(QPointF(), points), picture);
        painter.drawText(QPointF(10, points.height() / 2), u"page 1"_qs);
    }
    return bytes.data();
}

QByteArray turnedPdf(const QByteArray& pdf)
{
    return rewrittenByQpdf(pdf, {u"--rotate=+90"_qs});
}

QByteArray handMadePdf(const QList<QByteArray>& objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(objects.at(i).isEmpty() ? -1 : pdf.size());
        if (!objects.at(i).isEmpty())
            pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f\r\n";
    for (const qsizetype offset : offsets)
        pdf += offset < 0 ? QByteArray("0000000000 00001 f\r\n")
                          : QByteArray::number(offset).rightJustified(10, '0') + " 00000 n\r\n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(table) + "\n%%EOF\n";
    return pdf;
}

QByteArray manyPagePdf(int pages, QColor color)
{
    const QByteArray fill = QByteArray::number(color.redF()) + ' ' + QByteArray::number(color.greenF()) +
                            ' ' + QByteArray::number(color.blueF()) + " rg 0 0 30 20 re f";
    QByteArray kids;
    kids.reserve(pages * 8);
    for (int i = 0; i < pages; ++i)
        kids += QByteArray::number(4 + i) + " 0 R ";
    QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /MediaBox [0 0 30 20] /Count " + QByteArray::number(pages) + " /Kids [" + kids +
            "] >>",
        "<< /Length " + QByteArray::number(fill.size()) + " >>\nstream\n" + fill + "\nendstream",
    };
    for (int i = 0; i < pages; ++i)
        objects.append("<< /Type /Page /Parent 2 0 R /Contents 3 0 R >>");
    return handMadePdf(objects);
}

QByteArray threePagePdf(const QByteArray& secondPage, const QList<QByteArray>& more)
{
    const auto stream = [](const QByteArray& contents) {
        return "<< /Length " + QByteArray::number(contents.size()) + " >>\nstream\n" + contents +
               "\nendstream";
    };
    return handMadePdf(QList<QByteArray>{
                           "<< /Type /Catalog /Pages 2 0 R >>",
                           "<< /Type /Pages /MediaBox [0 0 30 20] /Count 3 /Kids [4 0 R 5 0 R 6 0 R] >>",
                           stream("1 0 0 rg 0 0 30 20 re f"),
                           "<< /Type /Page /Parent 2 0 R /Contents 3 0 R >>",
                           secondPage,
                           "<< /Type /Page /Parent 2 0 R /Contents 7 0 R >>",
                           stream("0 0 1 rg 0 0 30 20 re f"),
                       } +
                       more);
}

QByteArray handMadeScanPdf(const QByteArray& jpeg, QSize pixels, QSizeF points)
{
    const QByteArray width = QByteArray::number(points.width());
    const QByteArray height = QByteArray::number(points.height());
    const QByteArray draw = "q " + width + " 0 0 " + height + " 0 0 cm /Im0 Do Q";
    return handMadePdf({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + ' ' + height +
            "] /Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R >>",
        "<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(pixels.width()) + " /Height " +
            QByteArray::number(pixels.height()) +
            " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode /Length " +
            QByteArray::number(jpeg.size()) + " >>\nstream\n" + jpeg + "\nendstream",
        "<< /Length " + QByteArray::number(draw.size()) + " >>\nstream\n" + draw + "\nendstream",
    });
}

} // namespace ruvo::test
