#pragma once

#include "imaging/metafile/emf_layout.h"

#include <QByteArrayView>
#include <QString>

namespace ruvo {

// Walks an enhanced metafile record by record before the converter sees it.
// The converter trusts every size, count and offset in the file, so anything
// that would make it read outside a record, or outside the file, is caught
// here: a broken header or record structure refuses the file, a record whose
// contents run outside it is skipped.
class EmfValidator
{
public:
    // The most records a picture may have.
    static constexpr qint64 kMaxRecords = 500 * 1000;

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

    QByteArrayView m_bytes;
    QString m_error;
    EmfLayout m_layout;
    qint64 m_points = 0;
};

} // namespace ruvo
