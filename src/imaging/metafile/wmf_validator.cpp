#include "imaging/metafile/wmf_validator.h"

#include "imaging/metafile/wmf_placeable.h"
#include "imaging/picture_limits.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr qint64 kPlaceableSize = WmfPlaceable::kBytes;
constexpr qint64 kHeaderSize = 18;
constexpr qint64 kRecordHeaderWords = 3;
constexpr qint64 kMaxRecords = 1000 * 1000;
constexpr int kMaxSavedStates = 1024;
// Regions are merged rectangle by rectangle, in time that grows with the square
// of their size.
constexpr qint64 kMaxPairsPerRegion = 2000;
constexpr qint64 kMaxRegionPairs = 20000;

// The styles of a pen and a brush that draw nothing.
constexpr quint16 kNullPen = 5;
constexpr quint16 kNullBrush = 1;

enum Function : quint16
{
    EndOfFile = 0x0000,
    // The player reads nothing of it and changes nothing.
    RealizePalette = 0x0035,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetTextCharExtra = 0x0108,
    RestoreDc = 0x0127,
    InvertRegion = 0x012A,
    PaintRegion = 0x012B,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetTextJustification = 0x020A,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    OffsetClipRegion = 0x0220,
    FillRegion = 0x0228,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    FloodFill = 0x0419,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    FrameRegion = 0x0429,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    ExtFloodFill = 0x0548,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    SetDibToDev = 0x0D33,
    StretchDib = 0x0F43,
};

// How many parameter words the player reads from each record of fixed shape.
int fixedParameters(quint16 function)
{
    switch (function) {
    case SetBkMode:
    case SetMapMode:
    case SetRop2:
    case SetPolyFillMode:
    case SetTextCharExtra:
    case InvertRegion:
    case PaintRegion:
    case SelectClipRegion:
    case SelectObject:
    case SetTextAlign:
    case DeleteObject:
    case SetTextJustification:
        return 1;
    case DibCreatePatternBrush:
    case SetBkColor:
    case SetTextColor:
    case SetWindowOrg:
    case SetWindowExt:
    case SetViewportOrg:
    case SetViewportExt:
    case OffsetWindowOrg:
    case OffsetViewportOrg:
    case LineTo:
    case MoveTo:
    case OffsetClipRegion:
    case FillRegion:
        return 2;
    case CreateBrushIndirect:
    case ScaleWindowExt:
    case ScaleViewportExt:
    case ExcludeClipRect:
    case IntersectClipRect:
    case Ellipse:
    case FloodFill:
    case Rectangle:
    case SetPixel:
    case FrameRegion:
        return 4;
    case CreatePenIndirect:
    case ExtFloodFill:
        return 5;
    case RoundRect:
    case PatBlt:
        return 6;
    case Arc:
    case Pie:
    case Chord:
    case DibBitBlt:
        return 8;
    case CreateFontIndirect:
    case SetDibToDev:
        return 9;
    case DibStretchBlt:
        return 10;
    case StretchDib:
        return 11;
    default:
        return 0;
    }
}

// A record of the function and parameters given.
QByteArray wholeRecord(quint16 function, std::initializer_list<quint16> parameters)
{
    QByteArray record(2 * (kRecordHeaderWords + qsizetype(parameters.size())), '\0');
    qToLittleEndian<quint32>(quint32(record.size() / 2), record.data());
    qToLittleEndian<quint16>(function, record.data() + 4);
    qsizetype at = 2 * kRecordHeaderWords;
    for (quint16 parameter : parameters) {
        qToLittleEndian<quint16>(parameter, record.data() + at);
        at += 2;
    }
    return record;
}

// What the player plays in place of a record it must not read: an object of the same kind
// that holds nothing (an empty region, a pen and a brush that draw nothing), so that later
// records find every object where they expect it; any other record becomes one of the same
// size that the player ignores.
QByteArray replacementFor(quint16 function, qint64 words)
{
    switch (function) {
    case CreateRegion:
        // Its header words, the scan count among them, all zero.
        return wholeRecord(CreateRegion, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    case CreatePenIndirect:
        return wholeRecord(CreatePenIndirect, {kNullPen, 0, 0, 0, 0});
    case CreateBrushIndirect:
    case DibCreatePatternBrush:
        return wholeRecord(CreateBrushIndirect, {kNullBrush, 0, 0, 0});
    default: {
        QByteArray record = wholeRecord(RealizePalette, {});
        record.resize(2 * words, '\0');
        qToLittleEndian<quint32>(quint32(words), record.data());
        return record;
    }
    }
}

} // namespace

WmfValidator::WmfValidator(QByteArrayView bytes) : m_bytes(bytes)
{
    if (!validate() && m_error.isEmpty())
        m_error = QStringLiteral("damaged WMF");
}

bool WmfValidator::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

quint16 WmfValidator::word(qint64 offset) const
{
    return qFromLittleEndian<quint16>(m_bytes.data() + offset);
}

qint16 WmfValidator::signedWord(qint64 offset) const
{
    return qFromLittleEndian<qint16>(m_bytes.data() + offset);
}

quint32 WmfValidator::dword(qint64 offset) const
{
    return qFromLittleEndian<quint32>(m_bytes.data() + offset);
}

bool WmfValidator::validate()
{
    const qint64 total = m_bytes.size();
    if (total > kMetafileMaxBytes)
        return fail(QStringLiteral("WMF file is too large"));
    qint64 header = 0;
    if (WmfPlaceable::startsWith(m_bytes)) {
        if (total < kPlaceableSize + kHeaderSize)
            return fail(QStringLiteral("WMF file is too short"));
        const std::optional<WmfPlaceable> placeable = WmfPlaceable::read(m_bytes, &m_error);
        if (!placeable)
            return false;
        m_layout.placeable = true;
        m_layout.boundingBox = placeable->boundingBox;
        m_layout.unitsPerInch = placeable->unitsPerInch;
        header = kPlaceableSize;
    }
    if (total < header + kHeaderSize)
        return fail(QStringLiteral("WMF file is too short"));
    const quint16 fileType = word(header);
    if ((fileType != 1 && fileType != 2) || word(header + 2) != 9)
        return fail(QStringLiteral("not a WMF file"));
    qint64 declaredEnd = header + 2 * qint64(dword(header + 6));
    m_maxRecordWords = dword(header + 12);
    // Writers often count the placeable header in the size as well.
    if (declaredEnd == total + kPlaceableSize && m_layout.placeable)
        declaredEnd = total;
    if (declaredEnd > total)
        return fail(QStringLiteral("WMF header size is larger than the file"));
    m_layout.headerAt = header;
    m_layout.sizeInWords = quint32((declaredEnd - header) / 2);
    if (declaredEnd < header + kHeaderSize + 2 * kRecordHeaderWords)
        return fail(QStringLiteral("WMF header size is too small"));
    if (m_maxRecordWords > (declaredEnd - header) / 2)
        return fail(QStringLiteral("WMF largest record size is larger than the file"));

    qint64 at = header + kHeaderSize;
    qint64 records = 0;
    while (true) {
        if (declaredEnd - at < 2 * kRecordHeaderWords)
            return fail(QStringLiteral("WMF has no end-of-file record"));
        const qint64 words = dword(at);
        const quint16 function = word(at + 4);
        if (words < kRecordHeaderWords || words > (declaredEnd - at) / 2)
            return fail(QStringLiteral("WMF record size out of range"));
        // The player keeps one buffer of the header's largest size for every record.
        if (words - kRecordHeaderWords > m_maxRecordWords)
            return fail(QStringLiteral("WMF record is larger than its header allows"));
        if (++records > kMaxRecords)
            return fail(QStringLiteral("too many WMF records"));
        if (function == EndOfFile) {
            if (words != kRecordHeaderWords)
                return fail(QStringLiteral("damaged WMF end-of-file record"));
            if (at + 2 * words != declaredEnd)
                return fail(QStringLiteral("WMF records end before the file does"));
            return true;
        }
        if (!recordPlayable(function, at + 2 * kRecordHeaderWords, words - kRecordHeaderWords))
            m_layout.repairs.append(WmfRepair{at, words, replacementFor(function, words)});
        at += 2 * words;
    }
}

// Whether the player may read the record as it stands; what one it may not would have
// added to the picture's budgets is taken back.
bool WmfValidator::recordPlayable(quint16 function, qint64 at, qint64 words)
{
    const qint64 regionPairs = m_regionPairs;
    if (checkRecord(function, at, words))
        return true;
    m_error.clear();
    m_regionPairs = regionPairs;
    return false;
}

bool WmfValidator::checkRecord(quint16 function, qint64 at, qint64 words)
{
    const auto parameter = [&](qint64 index) { return qint64(word(at + 2 * index)); };
    const auto tooShort = [&] { return fail(QStringLiteral("WMF record is too short")); };
    if (words < fixedParameters(function))
        return tooShort();
    switch (function) {
    case FloodFill:
        // The player reads one word more than the record holds; harmless only
        // while that word is still inside its record buffer.
        if (m_maxRecordWords < 5)
            return tooShort();
        return true;
    case SetMapMode:
        m_layout.setsMapMode = true;
        return true;
    case SetWindowExt:
        if (m_layout.windowExtent.isEmpty()) {
            const QSize extent(qAbs(int(signedWord(at + 2))), qAbs(int(signedWord(at))));
            if (!extent.isEmpty())
                m_layout.windowExtent = extent;
        }
        return true;
    case Polyline:
    case Polygon:
        if (words < 1 || words < 1 + 2 * parameter(0))
            return tooShort();
        return true;
    case PolyPolygon: {
        if (words < 1 || words < 1 + parameter(0))
            return tooShort();
        const qint64 polygons = parameter(0);
        qint64 points = 0;
        for (qint64 i = 0; i < polygons; ++i)
            points += parameter(1 + i);
        if (words < 1 + polygons + 2 * points)
            return tooShort();
        return true;
    }
    case TextOut:
        if (words < 1 || words < 3 + (parameter(0) + 1) / 2)
            return tooShort();
        return true;
    case ExtTextOut:
        if (words < 4)
            return tooShort();
        // The player expects the clipping rectangle whenever any option is set.
        if (words < (parameter(3) ? 8 : 4) + (parameter(2) + 1) / 2)
            return tooShort();
        return true;
    case CreateRegion:
        return checkRegion(at, words);
    case SaveDc:
        if (m_savedStates == kMaxSavedStates)
            return fail(QStringLiteral("WMF saves too many states"));
        ++m_savedStates;
        return true;
    case RestoreDc:
        if (m_savedStates == 0)
            return fail(QStringLiteral("WMF restores a state it never saved"));
        --m_savedStates;
        return true;
    default:
        return true;
    }
}

bool WmfValidator::checkRegion(qint64 at, qint64 words)
{
    const auto parameter = [&](qint64 index) { return qint64(word(at + 2 * index)); };
    const auto damaged = [&] { return fail(QStringLiteral("damaged WMF region")); };
    if (words < 6)
        return damaged();
    const qint64 scans = parameter(5);
    // Each scan: its count of x values, top, bottom, the x values, the count again.
    qint64 index = 11;
    qint64 pairs = 0;
    for (qint64 scan = 0; scan < scans; ++scan) {
        if (index >= words)
            return damaged();
        const qint64 count = parameter(index);
        if (count % 2 != 0 || index + count + 4 > words || parameter(index + count + 3) != count)
            return damaged();
        pairs += count / 2;
        index += count + 4;
    }
    m_regionPairs += pairs;
    if (pairs > kMaxPairsPerRegion || m_regionPairs > kMaxRegionPairs)
        return fail(QStringLiteral("WMF regions are too complex"));
    return true;
}

} // namespace ruvo
