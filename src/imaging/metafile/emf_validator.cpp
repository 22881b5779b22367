#include "imaging/metafile/emf_validator.h"

#include "imaging/bitmap/dib_header.h"
#include "imaging/metafile/embedded_picture.h"
#include "imaging/metafile/emf_page.h"
#include "imaging/metafile/emf_records.h"
#include "imaging/picture_limits.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <uemf_safe.h>

namespace ruvo {

namespace {

using namespace EmfRecord;

constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr qint64 kHeaderMinSize = kEmfHeaderBytes;
// Every point becomes text in the converter's output; this bounds that output.
constexpr qint64 kMaxPoints = 2 * 1000 * 1000;

// How a bitmap's colour table is to be read: colours, 16-bit indices into the
// palette, or no table at all (the pixels are palette indices themselves).
constexpr quint32 kRgbColours = 0;
constexpr quint32 kPaletteColours = 1;
constexpr quint32 kPaletteIndices = 2;

qint64 colourEntryBytes(quint32 usage)
{
    switch (usage) {
    case kPaletteColours:
        return 2;
    case kPaletteIndices:
        return 0;
    default:
        return 4;
    }
}

constexpr quint32 kTextNoRect = 0x100;
constexpr quint32 kTextSmallChars = 0x200;
constexpr quint32 kTextPdy = 0x2000;

// The smallest size each fixed record may have, from the record layouts.
qint64 minimumSize(quint32 type)
{
    switch (type) {
    case SetWindowExtEx:
    case SetWindowOrgEx:
    case SetViewportExtEx:
    case SetViewportOrgEx:
    case SetBrushOrgEx:
    case OffsetClipRegion:
    case MoveToEx:
    case LineTo:
        return 16;
    case SetPixelV:
        return 20;
    case SetMapperFlags:
    case SetMapMode:
    case SetBkMode:
    case SetPolyFillMode:
    case SetRop2:
    case SetStretchBltMode:
    case SetTextAlign:
    case SetTextColor:
    case SetBkColor:
    case RestoreDc:
    case SelectObject:
    case DeleteObject:
    case SelectPalette:
    case SetArcDirection:
    case SetMiterLimit:
    case SelectClipPath:
    case SetIcmMode:
    case SetLayout:
        return 12;
    case SetColorAdjustment:
        return 32;
    case ExcludeClipRect:
    case IntersectClipRect:
    case ScaleViewportExtEx:
    case ScaleWindowExtEx:
    case CreateBrushIndirect:
    case Ellipse:
    case Rectangle:
    case ExtFloodFill:
    case FillPath:
    case StrokeAndFillPath:
    case StrokePath:
        return 24;
    case SetWorldTransform:
        return 32;
    case ModifyWorldTransform:
        return 36;
    case CreatePen:
    case AngleArc:
        return 28;
    case RoundRect:
        return 32;
    case Arc:
    case Chord:
    case Pie:
    case ArcTo:
        return 40;
    case CreatePalette:
    case ResizePalette:
        return 16;
    case SetPaletteEntries:
        return 20;
    case EndOfFile:
        return 20;
    case Comment:
        return 12;
    case ExtCreateFontIndirectW:
        return 104;
    default:
        return 8;
    }
}

} // namespace

EmfValidator::EmfValidator(QByteArrayView bytes) : m_bytes(bytes)
{
    if (!validate() && m_error.isEmpty())
        m_error = QStringLiteral("damaged EMF");
}

bool EmfValidator::fail(const QString& reason)
{
    m_error = reason;
    return false;
}

quint32 EmfValidator::u32(qint64 offset) const
{
    return qFromLittleEndian<quint32>(m_bytes.data() + offset);
}

bool EmfValidator::validate()
{
    if (!readHeader())
        return false;
    const qint64 total = m_bytes.size();
    qint64 offset = 0;
    qint64 records = 0;
    while (offset < total) {
        if (total - offset < 8)
            return fail(QStringLiteral("truncated EMF record"));
        const quint32 type = u32(offset);
        const qint64 size = u32(offset + 4);
        if (size < 8 || size % 4 != 0 || size > total - offset)
            return fail(QStringLiteral("EMF record size out of range"));
        if (type == 0 || type > LastType)
            return fail(QStringLiteral("unknown EMF record type"));
        if ((type == Header) != (offset == 0))
            return fail(QStringLiteral("misplaced EMF header"));
        if (++records > kMaxRecords)
            return fail(QStringLiteral("too many EMF records"));
        if (type == Header || type == EndOfFile) {
            if (size < minimumSize(type))
                return fail(QStringLiteral("EMF record is too short"));
            if (!checkLibrary(offset))
                return false;
        } else if (!recordUsable(type, offset, size)) {
            m_layout.skipped.append(offset);
        }
        // Writers miscount their records and pad their files; the records
        // themselves, up to the end-of-file record, are what counts.
        if (type == EndOfFile) {
            m_layout.records = records;
            m_layout.length = offset + size;
            return true;
        }
        offset += size;
    }
    return fail(QStringLiteral("EMF has no end-of-file record"));
}

bool EmfValidator::readHeader()
{
    const qint64 total = m_bytes.size();
    if (total > kMetafileMaxBytes)
        return fail(QStringLiteral("EMF file is too large"));
    if (total < kHeaderMinSize + 20)
        return fail(QStringLiteral("EMF file is too short"));
    if (u32(0) != Header || u32(40) != kSignature)
        return fail(QStringLiteral("not an EMF file"));
    const qint64 headerSize = u32(4);
    if (headerSize < kHeaderMinSize || headerSize % 4 != 0 || headerSize > total)
        return fail(QStringLiteral("EMF header size out of range"));
    // A file shorter than its header says has lost its end.
    if (u32(48) > quint64(total))
        return fail(QStringLiteral("EMF header size is larger than the file"));
    EmfPage::readHeader(m_bytes, m_layout);
    if (m_layout.deviceSize.width() <= 0 || m_layout.deviceSize.height() <= 0 ||
        m_layout.deviceMillimetres.width() <= 0 || m_layout.deviceMillimetres.height() <= 0)
        return fail(QStringLiteral("EMF reference device has no size"));
    return true;
}

// Whether a record's contents stay inside it; what a record that does not
// would have added to the picture's budgets is taken back.
bool EmfValidator::recordUsable(quint32 type, qint64 offset, qint64 size)
{
    const qint64 points = m_points;
    const qsizetype glyphText = m_layout.glyphIndexText.size();
    if (size >= minimumSize(type) && checkRecord(type, offset, size) && checkLibrary(offset))
        return true;
    m_error.clear();
    m_points = points;
    m_layout.glyphIndexText.resize(glyphText);
    return false;
}

bool EmfValidator::checkRecord(quint32 type, qint64 offset, qint64 size)
{
    if (type >= PolyBezier && type <= PolyLineTo)
        return checkPoints(offset, size, 8, 24);
    if (type >= PolyBezier16 && type <= PolyLineTo16)
        return checkPoints(offset, size, 4, 24);
    switch (type) {
    case PolyPolyline:
    case PolyPolygon:
        return checkPolyPoints(offset, size, 8);
    case PolyPolyline16:
    case PolyPolygon16:
        return checkPolyPoints(offset, size, 4);
    case PolyDraw:
        return checkPoints(offset, size, 9, 24);
    case PolyDraw16:
        return checkPoints(offset, size, 5, 24);
    case ExtTextOutA:
    case ExtTextOutW:
        return checkText(offset, size, type == ExtTextOutW);
    case SmallTextOut:
        return checkSmallText(offset, size);
    case FillRegion:
        return checkRegion(offset, size, 24, 32);
    case FrameRegion:
        return checkRegion(offset, size, 24, 40);
    case InvertRegion:
    case PaintRegion:
        return checkRegion(offset, size, 24, 28);
    case SelectClipRegion:
        return checkRegion(offset, size, 8, 16);
    case BitBlt:
    case StretchBlt:
    case AlphaBlend:
    case TransparentBlt:
        if (size < (type == BitBlt ? 100 : 108))
            return fail(QStringLiteral("EMF record is too short"));
        return checkBitmap(offset, size, 80, 84, 88, 92, 96);
    case MaskBlt:
        if (size < 128)
            return fail(QStringLiteral("EMF record is too short"));
        return checkBitmap(offset, size, 80, 84, 88, 92, 96) &&
               checkBitmap(offset, size, 108, 112, 116, 120, 124);
    case PlgBlt:
        if (size < 140)
            return fail(QStringLiteral("EMF record is too short"));
        return checkBitmap(offset, size, 92, 96, 100, 104, 108) &&
               checkBitmap(offset, size, 120, 124, 128, 132, 136);
    case SetDiBitsToDevice:
    case StretchDiBits:
        if (size < (type == SetDiBitsToDevice ? 76 : 80))
            return fail(QStringLiteral("EMF record is too short"));
        return checkBitmap(offset, size, 64, 48, 52, 56, 60);
    case CreateMonoBrush:
    case CreateDibPatternBrush:
        if (size < 32)
            return fail(QStringLiteral("EMF record is too short"));
        return checkBitmap(offset, size, 12, 16, 20, 24, 28);
    case ExtCreatePen:
        if (size < 52 || 52 + 4 * qint64(u32(offset + 48)) > size)
            return fail(QStringLiteral("EMF pen style runs past its record"));
        return checkBitmap(offset, size, kNoUsage, 12, 16, 20, 24);
    case GradientFill:
        return checkGradient(offset, size);
    default:
        return true;
    }
}

bool EmfValidator::checkPoints(qint64 offset, qint64 size, qint64 pointBytes, int countAt)
{
    if (size < countAt + 4)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 count = u32(offset + countAt);
    if (countAt + 4 + count * pointBytes > size)
        return fail(QStringLiteral("EMF points run past their record"));
    m_points += count;
    if (m_points > kMaxPoints)
        return fail(QStringLiteral("EMF has too many points"));
    return true;
}

bool EmfValidator::checkPolyPoints(qint64 offset, qint64 size, qint64 pointBytes)
{
    if (size < 32)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 polygons = u32(offset + 24);
    const qint64 count = u32(offset + 28);
    if (32 + 4 * polygons + pointBytes * count > size)
        return fail(QStringLiteral("EMF points run past their record"));
    qint64 sum = 0;
    for (qint64 i = 0; i < polygons; ++i) {
        sum += u32(offset + 32 + 4 * i);
        if (sum > count)
            return fail(QStringLiteral("EMF polygon counts disagree with the points"));
    }
    m_points += count;
    if (m_points > kMaxPoints)
        return fail(QStringLiteral("EMF has too many points"));
    return true;
}

bool EmfValidator::checkText(qint64 offset, qint64 size, bool wide)
{
    if (size < 76)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 chars = u32(offset + 44);
    const qint64 stringAt = u32(offset + 48);
    const quint32 options = u32(offset + 52);
    if (chars > 0 && (stringAt < 8 || stringAt + chars * (wide ? 2 : 1) > size))
        return fail(QStringLiteral("EMF text runs past its record"));
    const qint64 spacingField = (options & kTextNoRect) ? 56 : 72;
    const qint64 spacingAt = u32(offset + spacingField);
    const qint64 spacingBytes = chars * ((options & kTextPdy) ? 8 : 4);
    if (spacingAt != 0 && (spacingAt < 8 || spacingAt + spacingBytes > size))
        return fail(QStringLiteral("EMF text spacing runs past its record"));
    if (options & glyphIndexOption)
        m_layout.glyphIndexText.append(offset);
    return true;
}

bool EmfValidator::checkSmallText(qint64 offset, qint64 size)
{
    if (size < 36)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 chars = u32(offset + 16);
    const quint32 options = u32(offset + 20);
    const qint64 textAt = (options & kTextNoRect) ? 36 : 52;
    if (textAt + chars * ((options & kTextSmallChars) ? 1 : 2) > size)
        return fail(QStringLiteral("EMF text runs past its record"));
    if (options & glyphIndexOption)
        m_layout.glyphIndexText.append(offset);
    return true;
}

bool EmfValidator::checkRegion(qint64 offset, qint64 size, int lengthAt, int dataAt)
{
    if (size < dataAt)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 length = u32(offset + lengthAt);
    if (dataAt + length > size)
        return fail(QStringLiteral("EMF region runs past its record"));
    // Only a clip selection may leave its region out, to reset the clip.
    if (length == 0 && lengthAt == 8)
        return true;
    if (length < 32 || 32 + 16 * qint64(u32(offset + dataAt + 8)) > length)
        return fail(QStringLiteral("EMF region rectangles run past their record"));
    return true;
}

bool EmfValidator::checkBitmap(qint64 offset, qint64 size, int usageAt, int bmiAt, int bmiSizeAt, int bitsAt,
                               int bitsSizeAt)
{
    const qint64 infoAt = u32(offset + bmiAt);
    const qint64 infoSize = u32(offset + bmiSizeAt);
    const qint64 pixelsAt = u32(offset + bitsAt);
    const qint64 pixelsSize = u32(offset + bitsSizeAt);
    if (infoSize == 0)
        return true;
    if (infoAt < 8 || infoAt + infoSize > size || pixelsAt + pixelsSize > size)
        return fail(QStringLiteral("EMF bitmap runs past its record"));
    QString reason;
    const auto header = DibHeader::parse(m_bytes.sliced(offset + infoAt, infoSize), &reason);
    if (!header)
        return fail(QStringLiteral("EMF bitmap: ") + reason);
    if (header->isCoreHeader())
        return fail(QStringLiteral("EMF bitmap header is not supported"));
    const quint32 usage = usageAt == kNoUsage ? kRgbColours : u32(offset + usageAt);
    if (usage > kPaletteIndices)
        return fail(QStringLiteral("unknown EMF bitmap colour usage"));
    // A table that may hold all the bit count allows holds no more entries than
    // the bitmap has pixels when written by the converter's own library, which
    // reads it back the same way.
    qint64 colours = header->colours;
    if (header->coloursUsed == 0)
        colours = std::min(colours, qint64(header->width) * header->rows());
    if (header->headerSize + header->maskBytes + colours * colourEntryBytes(usage) > infoSize)
        return fail(QStringLiteral("EMF bitmap colour table runs past its header"));
    switch (header->compression) {
    case DibHeader::Rle4:
    case DibHeader::Rle8:
        return fail(QStringLiteral("EMF bitmap compression is not supported"));
    case DibHeader::Jpeg:
    case DibHeader::Png:
        if (pixelsSize == 0 || pixelsAt < 8)
            return fail(QStringLiteral("EMF bitmap has no pixels"));
        if (!embeddedPictureFits(m_bytes.sliced(offset + pixelsAt, pixelsSize), header->compression))
            return fail(QStringLiteral("EMF bitmap holds no picture its data can fill"));
        return true;
    default:
        if (pixelsAt < 8 || pixelsSize < header->pixelBytes)
            return fail(QStringLiteral("EMF bitmap pixels run past their record"));
        return true;
    }
}

bool EmfValidator::checkGradient(qint64 offset, qint64 size)
{
    if (size < 36)
        return fail(QStringLiteral("EMF record is too short"));
    const qint64 vertices = u32(offset + 24);
    const qint64 items = u32(offset + 28);
    const quint32 mode = u32(offset + 32);
    if (mode > 2)
        return fail(QStringLiteral("unknown EMF gradient mode"));
    const qint64 indices = mode == 2 ? 3 : 2;
    const qint64 itemsAt = 36 + 16 * vertices;
    if (itemsAt + 4 * indices * items > size)
        return fail(QStringLiteral("EMF gradient runs past its record"));
    for (qint64 i = 0; i < indices * items; ++i) {
        if (u32(offset + itemsAt + 4 * i) >= vertices)
            return fail(QStringLiteral("EMF gradient refers to a missing vertex"));
    }
    return true;
}

bool EmfValidator::checkLibrary(qint64 offset)
{
    // libUEMF has no check for the records the converter ignores anyway, and
    // complains about each on the error output.
    switch (u32(offset)) {
    case Reserved69:
    case PolyTextOutA:
    case PolyTextOutW:
    case GlsRecord:
    case GlsBoundedRecord:
    case DrawEscape:
    case ExtEscape:
    case Reserved107:
    case ForceUfiMapping:
    case NamedEscape:
    case ColorCorrectPalette:
    case SetIcmProfileA:
    case SetIcmProfileW:
    case Reserved117:
    case SetLinkedUfis:
    case SetTextJustification:
    case ColorMatchToTargetW:
        return true;
    default:
        break;
    }
    // libUEMF, which the converter is built on, ships per-record bounds checks that the
    // converter itself never calls: a second opinion.
    if (U_emf_record_safe(m_bytes.data() + offset) == 0)
        return fail(QStringLiteral("EMF record fails its bounds check"));
    return true;
}

} // namespace ruvo
