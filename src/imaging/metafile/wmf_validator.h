#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace ruvo {

// A record that the player must not read as it stands, and the whole record it plays in
// its place: one it ignores, or an empty object of the same kind, so that the objects after
// it keep their places in the object table.
struct WmfRepair
{
    // Where the record starts in the file, and its size in words.
    qint64 at = 0;
    qint64 words = 0;
    QByteArray record;
};

// What a Windows metafile's headers and first records say about its picture.
struct WmfLayout
{
    bool placeable = false;
    // Placeable files only: the picture's box in its own units, and how many of
    // those units make an inch.
    QRect boundingBox;
    int unitsPerInch = 0;
    // The first window extent the records set, if any.
    QSize windowExtent;
    // Whether any record sets the mapping mode.
    bool setsMapMode = false;
    // Where the metafile header starts, and the size in words it should give:
    // the one it gives, unless it counted the placeable header as well.
    qint64 headerAt = 0;
    quint32 sizeInWords = 0;
    // In the order of the records: those that fail their own checks. The rest of the
    // picture is drawn without them, as Windows plays such a file.
    QList<WmfRepair> repairs;
};

// Walks a Windows metafile record by record before libwmf sees it. The player
// reads each record's parameters by position without asking whether the
// record holds them, so every record it acts on is checked for what it will
// read, along with the overall structure. A broken header or record structure
// refuses the file; a record that fails its own check is repaired.
class WmfValidator
{
public:
    explicit WmfValidator(QByteArrayView bytes);

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    WmfLayout layout() const { return m_layout; }

private:
    bool validate();
    bool recordPlayable(quint16 function, qint64 at, qint64 words);
    bool checkRecord(quint16 function, qint64 at, qint64 words);
    bool checkRegion(qint64 at, qint64 words);
    bool fail(const QString& reason);

    quint16 word(qint64 offset) const;
    qint16 signedWord(qint64 offset) const;
    quint32 dword(qint64 offset) const;

    QByteArrayView m_bytes;
    QString m_error;
    WmfLayout m_layout;
    qint64 m_maxRecordWords = 0;
    int m_savedStates = 0;
    qint64 m_regionPairs = 0;
};

} // namespace ruvo
