#include "gif_writer.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSaveFile>
#include <QString>

namespace ruvo {

namespace {

// Every code is 9 bits wide: with an 8-bit minimum code size the clear and end
// codes are 256 and 257, and the decoder's table first needs a 10th bit once it
// holds 512 entries. Each literal after the first one following a clear adds an
// entry from 258 on, so 254 literals per clear stop at entry 510.
constexpr int MinCodeSize = 8;
constexpr int ClearCode = 1 << MinCodeSize;
constexpr int EndCode = ClearCode + 1;
constexpr int CodeWidth = MinCodeSize + 1;
constexpr int LiteralsPerClear = (1 << MinCodeSize) - 2;

constexpr int MaxSide = 0xffff;
constexpr int MaxSubBlock = 255;

void appendWord(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// GIF packs codes starting at the least significant bit of each byte.
class CodePacker
{
public:
    void put(int code)
    {
        m_buffer |= quint32(code) << m_bitCount;
        m_bitCount += CodeWidth;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bitCount -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_bitCount > 0)
            m_bytes.append(char(m_buffer & 0xff));
        m_buffer = 0;
        m_bitCount = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_bitCount = 0;
};

QByteArray encodePixels(const QImage& indexed)
{
    CodePacker packer;
    packer.put(ClearCode);
    int sinceClear = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == LiteralsPerClear) {
                packer.put(ClearCode);
                sinceClear = 0;
            }
            packer.put(line[x]);
            ++sinceClear;
        }
    }
    packer.put(EndCode);
    return packer.finish();
}

// Qt maps an image of few colours onto an exact table only when it has no alpha,
// so the table is built here whenever the colours fit. Returns a null image when
// there are more than 256 of them.
QImage withExactColours(const QImage& argb)
{
    QHash<QRgb, int> indexOf;
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* target = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            auto found = indexOf.constFind(source[x]);
            if (found == indexOf.cend()) {
                if (indexOf.size() == 256)
                    return {};
                found = indexOf.insert(source[x], int(indexOf.size()));
            }
            target[x] = uchar(found.value());
        }
    }
    QList<QRgb> colours(indexOf.size());
    for (auto it = indexOf.cbegin(); it != indexOf.cend(); ++it)
        colours[it.value()] = it.key();
    indexed.setColorTable(colours);
    return indexed;
}

// GIF knows a single fully transparent colour and no partial alpha, so every
// pixel is settled on one side first; all transparent pixels then share one
// palette entry.
QImage toIndexed(const QImage& image, int& transparentIndex)
{
    transparentIndex = -1;
    const bool alpha = image.hasAlphaChannel();
    if (image.format() == QImage::Format_Indexed8 && !alpha)
        return image;

    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (alpha) {
        for (int y = 0; y < argb.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                line[x] = qAlpha(line[x]) < 128 ? 0u : (line[x] | 0xff000000u);
        }
    }
    QImage indexed = withExactColours(argb);
    if (indexed.isNull())
        indexed = (alpha ? argb : image).convertToFormat(QImage::Format_Indexed8);

    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; alpha && i < colours.size(); ++i) {
        if (qAlpha(colours.at(i)) == 0) {
            transparentIndex = i;
            break;
        }
    }
    return indexed;
}

// The colour table's size is stored as a power of two, from 2 to 256 entries.
int colourTableSizeField(int colourCount)
{
    int field = 0;
    while ((2 << field) < colourCount)
        ++field;
    return field;
}

} // namespace

bool writeGif(const QImage& image, const QString& path)
{
    if (image.isNull() || image.width() > MaxSide || image.height() > MaxSide)
        return false;

    int transparentIndex = -1;
    const QImage indexed = toIndexed(image, transparentIndex);
    if (indexed.isNull() || indexed.format() != QImage::Format_Indexed8)
        return false;

    const QList<QRgb> colours = indexed.colorTable();
    const int sizeField = colourTableSizeField(int(colours.size()));
    const int tableSize = 2 << sizeField;

    QByteArray out;
    out.append("GIF89a");

    // Logical screen: global colour table present, 8 bits per primary.
    appendWord(out, indexed.width());
    appendWord(out, indexed.height());
    out.append(char(0x80 | (7 << 4) | sizeField));
    out.append(char(0)); // background colour index
    out.append(char(0)); // pixel shape not given, so square

    for (int i = 0; i < tableSize; ++i) {
        const QRgb colour = i < colours.size() ? colours.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    if (transparentIndex >= 0) {
        out.append(char(0x21)); // extension
        out.append(char(0xf9)); // graphic control
        out.append(char(4));
        out.append(char(0x01)); // transparent colour given, no disposal
        appendWord(out, 0);     // no delay
        out.append(char(transparentIndex));
        out.append(char(0));
    }

    // Image descriptor: the whole screen, no local colour table, not interlaced.
    out.append(char(0x2c));
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, indexed.width());
    appendWord(out, indexed.height());
    out.append(char(0));

    out.append(char(MinCodeSize));
    const QByteArray data = encodePixels(indexed);
    for (qsizetype offset = 0; offset < data.size(); offset += MaxSubBlock) {
        const qsizetype length = qMin<qsizetype>(MaxSubBlock, data.size() - offset);
        out.append(char(length));
        out.append(data.constData() + offset, length);
    }
    out.append(char(0)); // end of the image data

    out.append(char(0x3b)); // trailer

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ruvo
