#include "support/metafile_fixtures.h"

#include <QtEndian>

#include <cstdio>
#include <vector>

// libEMF's Windows-like headers define many macros; keep them after Qt's.
#include <libEMF/emf.h>

namespace ruvo::test {

namespace {

using Words = std::vector<quint16>;

// Little-endian fields read and written byte by byte, inside the array's own
// bounds: going through a raw pointer, the compiler cannot tell an empty
// array (which points at a one-byte shared buffer) from a full one and warns.
quint32 dwordAt(const QByteArray& bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

void putDword(QByteArray& bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// The record functions the fixtures use.
enum class Meta : quint16
{
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    SelectObject = 0x012D,
    SaveDc = 0x001E,
    RestoreDc = 0x0127,
    PaintRegion = 0x012B,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    FillRegion = 0x0228,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    FrameRegion = 0x0429,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    ExtTextOut = 0x0A32,
    StretchDib = 0x0F43,
};

// Assembles a WMF record by record, keeping the header's bookkeeping.
class WmfWriter
{
public:
    void add(Meta function, const Words& parameters)
    {
        const quint32 words = quint32(3 + parameters.size());
        if (words > m_largest)
            m_largest = words;
        appendDword(m_records, words);
        appendWord(m_records, quint16(function));
        for (quint16 parameter : parameters)
            appendWord(m_records, parameter);
    }

    QByteArray bytes(bool placeable, QRect box, int unitsPerInch, quint16 objects) const
    {
        QByteArray records = m_records;
        appendDword(records, 3);
        appendWord(records, 0);
        QByteArray out;
        if (placeable) {
            Words header = {0xCDD7,
                            0x9AC6,
                            0,
                            quint16(qint16(box.left())),
                            quint16(qint16(box.top())),
                            quint16(qint16(box.right() + 1)),
                            quint16(qint16(box.bottom() + 1)),
                            quint16(unitsPerInch),
                            0,
                            0};
            quint16 checksum = 0;
            for (quint16 word : header)
                checksum ^= word;
            header.push_back(checksum);
            for (quint16 word : header)
                appendWord(out, word);
        }
        appendWord(out, 1);
        appendWord(out, 9);
        appendWord(out, 0x0300);
        appendDword(out, quint32(9 + records.size() / 2));
        appendWord(out, objects);
        appendDword(out, m_largest > 3 ? m_largest : 3);
        appendWord(out, 0);
        return out + records;
    }

private:
    static void appendWord(QByteArray& out, quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        out.append(bytes, 2);
    }
    static void appendDword(QByteArray& out, quint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    }

    QByteArray m_records;
    quint32 m_largest = 0;
};

quint16 lowColour(QColor colour)
{
    return quint16(colour.red() | (colour.green() << 8));
}

quint16 highColour(QColor colour)
{
    return quint16(colour.blue());
}

quint16 word(int value)
{
    return quint16(qint16(value));
}

// Text as the records store it: bytes packed two to a word.
Words textWords(const QByteArray& text)
{
    Words words;
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const quint16 low = quint8(text[i]);
        const quint16 high = i + 1 < text.size() ? quint8(text[i + 1]) : 0;
        words.push_back(quint16(low | (high << 8)));
    }
    return words;
}

Words concat(Words a, const Words& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A 4x4 bitmap, 24 bits a pixel, in four colours.
QByteArray smallDib()
{
    QByteArray dib(40, '\0');
    qToLittleEndian<quint32>(40, dib.data());
    qToLittleEndian<qint32>(4, dib.data() + 4);
    qToLittleEndian<qint32>(4, dib.data() + 8);
    qToLittleEndian<quint16>(1, dib.data() + 12);
    qToLittleEndian<quint16>(24, dib.data() + 14);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            dib.append(char(x < 2 ? 0xFF : 0));
            dib.append(char(y < 2 ? 0xFF : 0));
            dib.append(char(0x80));
        }
    }
    return dib;
}

Words rectWords(int left, int top, int right, int bottom)
{
    return {word(bottom), word(right), word(top), word(left)};
}

void writeWindow(WmfWriter& out, QRect window)
{
    out.add(Meta::SetWindowOrg, {word(window.top()), word(window.left())});
    out.add(Meta::SetWindowExt, {word(window.height()), word(window.width())});
}

void writeRectangle(WmfWriter& out, QRect rectangle, QColor colour)
{
    out.add(Meta::CreateBrushIndirect, {0, lowColour(colour), highColour(colour), 0});
    out.add(Meta::SelectObject, {0});
    out.add(Meta::CreatePenIndirect, {5, 0, 0, 0, 0});
    out.add(Meta::SelectObject, {1});
    out.add(Meta::Rectangle,
            rectWords(rectangle.left(), rectangle.top(), rectangle.right() + 1, rectangle.bottom() + 1));
    out.add(Meta::DeleteObject, {0});
    out.add(Meta::DeleteObject, {1});
}

QByteArray readBack(FILE* file)
{
    QByteArray bytes;
    std::fflush(file);
    std::rewind(file);
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, qsizetype(read));
    std::fclose(file);
    return bytes;
}

// libEMF records no bitmaps; this puts a stretched one in front of the end-of-file record.
// The bitmap's header and colour table take its first infoBytes, read as usage says.
QByteArray withStretchedBitmap(const QByteArray& emf, QRect target, const QByteArray& dib, int infoBytes = 40,
                               quint32 usage = 0)
{
    QByteArray record(80, '\0');
    const qint32 fields[] = {81,
                             qint32(80 + dib.size()),
                             target.left(),
                             target.top(),
                             target.right(),
                             target.bottom(),
                             target.left(),
                             target.top(),
                             0,
                             0,
                             4,
                             4,
                             80,
                             infoBytes,
                             80 + infoBytes,
                             qint32(dib.size() - infoBytes),
                             qint32(usage),
                             0x00CC0020,
                             target.width(),
                             target.height()};
    for (int i = 0; i < 20; ++i)
        putDword(record, 4 * i, quint32(fields[i]));
    return emfWithRecordBeforeEnd(emf, record + dib);
}

COLORREF colourRef(QColor colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

void putRect(QByteArray& bytes, qsizetype at, QRect rect)
{
    putDword(bytes, at, quint32(rect.left()));
    putDword(bytes, at + 4, quint32(rect.top()));
    putDword(bytes, at + 8, quint32(rect.right()));
    putDword(bytes, at + 12, quint32(rect.bottom()));
}

// A square bitmap of 8 bits a pixel whose colour table holds the given
// number of entries, read as usage says: colours, indices into the palette,
// or nothing at all.
QByteArray paletteDib(quint32 usage, int side, int entries, int* infoBytes)
{
    QByteArray dib(40, '\0');
    putDword(dib, 0, 40);
    putDword(dib, 4, quint32(side));
    putDword(dib, 8, quint32(side));
    putDword(dib, 12, 1 | (8 << 16));
    const int entryBytes = usage == 0 ? 4 : usage == 1 ? 2 : 0;
    for (int i = 0; i < entries * entryBytes; ++i)
        dib.append(char(i / entryBytes));
    *infoBytes = int(dib.size());
    const int stride = (side + 3) / 4 * 4;
    for (int i = 0; i < stride * side; ++i)
        dib.append(char(i % entries));
    return dib;
}

} // namespace

QByteArray emfWithRecordBeforeEnd(QByteArray emf, const QByteArray& record)
{
    qsizetype at = 0;
    while (at + 8 <= emf.size() && dwordAt(emf, at) != 14)
        at += dwordAt(emf, at + 4);
    emf.insert(at, record);
    putDword(emf, 48, quint32(emf.size()));
    putDword(emf, 52, dwordAt(emf, 52) + 1);
    return emf;
}

QByteArray placeableWmfWithRectangle(QSize box, int unitsPerInch, QRect rectangle, QColor colour)
{
    return placeableWmfWithRectangleIn(QRect(QPoint(0, 0), box), unitsPerInch, rectangle, colour, true);
}

QByteArray placeableWmfWithRectangleIn(QRect box, int unitsPerInch, QRect rectangle, QColor colour,
                                       bool setsWindow)
{
    WmfWriter out;
    if (setsWindow)
        writeWindow(out, box);
    writeRectangle(out, rectangle, colour);
    return out.bytes(true, box, unitsPerInch, 2);
}

QByteArray placeableWmfWithOwnWindow(QRect box, int unitsPerInch, QRect window, QRect rectangle,
                                     QColor colour)
{
    WmfWriter out;
    writeWindow(out, window);
    writeRectangle(out, rectangle, colour);
    return out.bytes(true, box, unitsPerInch, 2);
}

QByteArray placeableWmfWithRecordsBefore(const QList<WmfRecord>& records, QRect rectangle, QColor colour)
{
    const QRect box(0, 0, 2880, 1440);
    WmfWriter out;
    writeWindow(out, box);
    for (const WmfRecord& record : records)
        out.add(Meta(record.function), Words(record.parameters.begin(), record.parameters.end()));
    writeRectangle(out, rectangle, colour);
    return out.bytes(true, box, 1440, 3);
}

QByteArray standardWmfWithRectangle(QSize extent, QRect rectangle, QColor colour)
{
    WmfWriter out;
    writeWindow(out, QRect(QPoint(0, 0), extent));
    writeRectangle(out, rectangle, colour);
    return out.bytes(false, QRect(QPoint(0, 0), extent), 0, 2);
}

QByteArray richWmf()
{
    WmfWriter out;
    const QColor red(200, 30, 30);
    const QColor blue(20, 40, 220);
    out.add(Meta::SetWindowOrg, {0, 0});
    out.add(Meta::SetWindowExt, {1000, 1000});
    out.add(Meta::SetBkMode, {1});
    out.add(Meta::SetPolyFillMode, {2});
    out.add(Meta::CreatePenIndirect, {0, 10, 0, lowColour(Qt::black), highColour(Qt::black)});
    out.add(Meta::SelectObject, {0});
    out.add(Meta::CreateBrushIndirect, {2, lowColour(red), highColour(red), 4});
    out.add(Meta::SelectObject, {1});
    out.add(Meta::Ellipse, rectWords(50, 50, 300, 200));
    out.add(Meta::RoundRect, concat({60, 60}, rectWords(350, 50, 600, 200)));
    out.add(Meta::Arc, concat({100, 700, 100, 900}, rectWords(650, 50, 950, 250)));
    out.add(Meta::Pie, concat({350, 50, 250, 300}, rectWords(50, 250, 300, 450)));
    out.add(Meta::Chord, concat({350, 350, 250, 600}, rectWords(350, 250, 600, 450)));
    out.add(Meta::Polygon, {3, 700, 300, 950, 300, 825, 450});
    out.add(Meta::Polyline, {4, 50, 500, 150, 600, 250, 500, 350, 600});
    out.add(Meta::PolyPolygon, {2, 3, 3, 400, 500, 500, 500, 450, 600, 550, 500, 650, 500, 600, 600});
    out.add(Meta::MoveTo, {word(650), word(700)});
    out.add(Meta::LineTo, {word(650), word(950)});
    out.add(Meta::CreateFontIndirect,
            concat({word(-60), 0, 0, 0, 700, 0, 0, 0, 0}, textWords(QByteArray("Arial\0", 6))));
    out.add(Meta::SelectObject, {2});
    out.add(Meta::SetTextColor, {lowColour(blue), highColour(blue)});
    out.add(Meta::TextOut, concat(concat({2}, textWords("Hi")), {700, 50}));
    out.add(Meta::ExtTextOut,
            concat(concat({word(760), word(50), 3, 2, 50, 700, 300, 780}, textWords("abc")), {30, 30, 30}));
    out.add(Meta::SaveDc, {});
    out.add(Meta::IntersectClipRect, rectWords(400, 650, 600, 750));
    out.add(Meta::Rectangle, rectWords(350, 600, 650, 800));
    out.add(Meta::RestoreDc, {word(-1)});
    const QByteArray dib = smallDib();
    out.add(Meta::StretchDib, concat({0x0020, 0x00CC, 0, 4, 4, 0, 0, 100, 100, 820, 700}, textWords(dib)));
    out.add(Meta::DibCreatePatternBrush, concat({5, 0}, textWords(dib)));
    out.add(Meta::SelectObject, {3});
    out.add(Meta::Rectangle, rectWords(820, 820, 950, 950));
    // One scan of one span: (50, 850) to (300, 950).
    out.add(Meta::CreateRegion, {0, 6, 0, 0, 34, 1, 1, 50, 850, 300, 950, 2, 850, 950, 50, 300, 2});
    out.add(Meta::FillRegion, {4, 1});
    out.add(Meta::FrameRegion, {4, 1, 5, 5});
    out.add(Meta::PaintRegion, {4});
    out.add(Meta::PatBlt, {0x0021, 0x00F0, 40, 40, 900, 400});
    out.add(Meta::SetPixel, {lowColour(blue), highColour(blue), 990, 990});
    for (quint16 object = 0; object < 5; ++object)
        out.add(Meta::DeleteObject, {object});
    return out.bytes(true, QRect(0, 0, 1000, 1000), 1000, 8);
}

QByteArray emfWithRectangle(QSize frame, QRectF rectangleInFrame, QColor colour)
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {0, 0, frame.width(), frame.height()};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0fixture\0");
    // The frame in the reference device's pixels.
    const double width = frame.width() / 100.0 * GetDeviceCaps(dc, HORZRES) / GetDeviceCaps(dc, HORZSIZE);
    const double height = frame.height() / 100.0 * GetDeviceCaps(dc, VERTRES) / GetDeviceCaps(dc, VERTSIZE);
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, qRound(rectangleInFrame.left() * width), qRound(rectangleInFrame.top() * height),
              qRound(rectangleInFrame.right() * width), qRound(rectangleInFrame.bottom() * height));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    return readBack(file);
}

QByteArray richEmf()
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {0, 0, 5000, 5000};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0rich\0");
    HPEN pen = CreatePen(PS_DASH, 3, RGB(0, 0, 0));
    SelectObject(dc, pen);
    LOGBRUSH hatch = {BS_HATCHED, RGB(200, 30, 30), HS_CROSS};
    HBRUSH hatched = CreateBrushIndirect(&hatch);
    SelectObject(dc, hatched);
    Ellipse(dc, 10, 10, 60, 40);
    Arc(dc, 70, 10, 120, 40, 120, 25, 70, 25);
    const POINT triangle[] = {{10, 50}, {60, 50}, {35, 90}};
    Polygon(dc, triangle, 3);
    const POINT zigzag[] = {{70, 50}, {80, 90}, {90, 50}, {100, 90}};
    Polyline(dc, zigzag, 4);
    const POINT pair[] = {{110, 50}, {130, 50}, {120, 70}, {110, 75}, {130, 75}, {120, 95}};
    const INT counts[] = {3, 3};
    PolyPolygon(dc, pair, counts, 2);
    SaveDC(dc);
    BeginPath(dc);
    MoveToEx(dc, 10, 100, nullptr);
    LineTo(dc, 60, 100);
    LineTo(dc, 35, 140);
    CloseFigure(dc);
    EndPath(dc);
    FillPath(dc);
    RestoreDC(dc, -1);
    HFONT font = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Sans");
    SelectObject(dc, font);
    SetTextColor(dc, RGB(20, 40, 220));
    TextOutA(dc, 70, 100, "Page <1> & more", 15);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(hatched);
    DeleteObject(font);
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    return withStretchedBitmap(readBack(file), QRect(100, 120, 40, 40), smallDib());
}

QByteArray emfWithGlyphIndexText(QColor colour)
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {0, 0, 5080, 2540};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0glyphs\0");
    const int width = 5080 * GetDeviceCaps(dc, HORZRES) / GetDeviceCaps(dc, HORZSIZE) / 100;
    const int height = 2540 * GetDeviceCaps(dc, VERTRES) / GetDeviceCaps(dc, VERTSIZE) / 100;
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, width / 4, height / 4, width * 3 / 4, height * 3 / 4);
    HFONT font = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Sans");
    SelectObject(dc, font);
    const WCHAR glyphs[] = {43, 72, 79, 79, 82};
    ExtTextOutW(dc, 4, 4, ETO_GLYPH_INDEX, nullptr, glyphs, 5, nullptr);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteObject(font);
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    return readBack(file);
}

QByteArray busyEmf(QSize frame, int rectangles)
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {0, 0, frame.width(), frame.height()};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0busy\0");
    const int columns = 200;
    for (int i = 0; i < rectangles; ++i) {
        const int x = (i % columns) * 5;
        const int y = (i / columns) * 5;
        Rectangle(dc, x, y, x + 4, y + 4);
    }
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    return readBack(file);
}

QByteArray emfWithBounds(QRect bounds, QRect frame, QColor fill, QColor corner)
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {frame.left(), frame.top(), frame.right(), frame.bottom()};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0bounds\0");
    HBRUSH fillBrush = CreateSolidBrush(colourRef(fill));
    HBRUSH cornerBrush = CreateSolidBrush(colourRef(corner));
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, fillBrush);
    Rectangle(dc, bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1);
    SelectObject(dc, cornerBrush);
    Rectangle(dc, bounds.left(), bounds.top(), bounds.left() + bounds.width() / 4,
              bounds.top() + bounds.height() / 4);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(fillBrush);
    DeleteObject(cornerBrush);
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    QByteArray emf = readBack(file);
    putRect(emf, 8, bounds);
    putRect(emf, 24, frame);
    return emf;
}

QByteArray emfWithPaletteBitmap(quint32 usage, QColor colour, int side, int entries)
{
    int infoBytes = 0;
    const QByteArray dib = paletteDib(usage, side, entries, &infoBytes);
    return withStretchedBitmap(emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), colour),
                               QRect(0, 0, 10, 10), dib, infoBytes, usage);
}

QByteArray emfWithEmbeddedPicture(const QByteArray& picture, quint32 compression, QColor colour)
{
    // A bitmap header of no bit count, then the picture, padded to whole records' words.
    QByteArray dib(40, '\0');
    putDword(dib, 0, 40);
    putDword(dib, 4, 4);
    putDword(dib, 8, 4);
    putDword(dib, 12, 1);
    putDword(dib, 16, compression);
    putDword(dib, 20, quint32(picture.size()));
    dib += picture;
    dib += QByteArray((4 - dib.size() % 4) % 4, '\0');
    return withStretchedBitmap(emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), colour),
                               QRect(0, 0, 10, 10), dib);
}

QByteArray emfWithZeroSizeText(int texts, QColor colour)
{
    FILE* file = std::tmpfile();
    if (!file)
        return QByteArray();
    const RECT size = {0, 0, 5080, 2540};
    HDC dc = CreateEnhMetaFileWithFILEA(0, file, &size, "ruvo\0quiet\0");
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 40, 20, 120, 60);
    HFONT font = CreateFontA(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Sans");
    SelectObject(dc, font);
    const WCHAR text[] = {'a', 'b'};
    for (int i = 0; i < texts; ++i)
        ExtTextOutW(dc, 4, 4, 0, nullptr, text, i % 2 ? 2 : 0, nullptr);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteObject(font);
    DeleteEnhMetaFile(CloseEnhMetaFileWithFILE(dc));
    return readBack(file);
}

} // namespace ruvo::test
