#pragma once

#include <QByteArrayView>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace ruvo {

// What an enhanced metafile's header says about its picture.
struct EmfLayout
{
    // Drawn area in the recording device's pixels, edges included.
    QRect bounds;
    // Picture frame in hundredths of a millimetre, edges included.
    QRect frame;
    QSize deviceSize;
    QSize deviceMillimetres;
    // Offsets of text records whose characters are glyph numbers in a font.
    QList<qint64> glyphIndexText;
    // Offsets of records that fail their own checks: the converter must not see them, and
    // the rest of the picture is drawn without them, as Windows plays such a file.
    QList<qint64> skipped;
    // The records up to and including the end-of-file record: how many, and
    // how many bytes they take. Whatever follows is not part of the picture.
    qint64 records = 0;
    qint64 length = 0;
};

// Walks an enhanced metafile record by record before the converter sees it.
// The converter trusts every size, count and offset in the file, so anything
// that would make it read outside a record, or outside the file, is caught
// here: a broken header or record structure refuses the file, a record whose
// contents run outside it is skipped.
class EmfValidator
{
public:
    explicit EmfValidator(QByteArrayView bytes);

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    EmfLayout layout() const { return m_layout; }

private:
    bool validate();
    bool readHeader();
    bool recordUsable(quint32 type, qint64 offset, qint64 size);
    bool checkRecord(quint32 type, qint64 offset, qint64 size);
    bool checkPoints(qint64 offset, qint64 size, qint64 pointBytes, int countAt);
    bool checkPolyPoints(qint64 offset, qint64 size, qint64 pointBytes);
    bool checkText(qint64 offset, qint64 size, bool wide);
    bool checkSmallText(qint64 offset, qint64 size);
    bool checkRegion(qint64 offset, qint64 size, int lengthAt, int dataAt);
    // usageAt is where the record says how its colour table is to be read;
    // kNoUsage for records whose table always holds colours.
    static constexpr int kNoUsage = -1;
    bool checkBitmap(qint64 offset, qint64 size, int usageAt, int bmiAt, int bmiSizeAt, int bitsAt,
                     int bitsSizeAt);
    bool checkGradient(qint64 offset, qint64 size);
    bool checkLibrary(qint64 offset);
    bool fail(const QString& reason);

    quint32 u32(qint64 offset) const;
    qint32 s32(qint64 offset) const;

    QByteArrayView m_bytes;
    QString m_error;
    EmfLayout m_layout;
    qint64 m_points = 0;
};

} // namespace ruvo
