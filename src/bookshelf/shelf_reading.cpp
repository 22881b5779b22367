#include "bookshelf/shelf_reading.h"

#include "platform/code_page.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace ruvo {

namespace {

std::optional<int> digitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'０' && c <= u'９')
        return c.unicode() - u'０';
    return std::nullopt;
}

// The text of the file, and whether every byte of it was understood.
std::pair<QString, bool> shelfText(const QByteArray& bytes)
{
    if (!bytes.contains('\0')) {
        if (std::optional<QString> text = decodeCodePageTextExactly(bytes))
            return {std::move(*text), true};
    }
    return {decodeCodePageText(bytes), false};
}

} // namespace

std::optional<int> shelfCount(QStringView line)
{
    const QStringView digits = line.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    qint64 count = 0;
    for (const QChar c : digits) {
        const std::optional<int> digit = digitValue(c);
        if (!digit)
            return std::nullopt;
        count = std::min<qint64>(count * 10 + *digit, std::numeric_limits<int>::max());
    }
    return int(count);
}

ShelfReading readShelfBytes(const QByteArray& bytes)
{
    ShelfReading reading;
    const bool whole = bytes.size() <= shelfReadLimit;
    const auto [text, understood] = shelfText(whole ? bytes : bytes.first(shelfReadLimit));
    const QStringList lines = linesOfText(text);
    reading.lines = QSet<QString>(lines.cbegin(), lines.cend());

    const int count = lines.isEmpty() ? -1 : shelfCount(lines.constFirst()).value_or(-1);
    const qsizetype recordsThere = lines.isEmpty() ? 0 : (lines.size() - 1) / shelfRecordLines;
    // A count that cannot be taken at its word leaves the records the file holds.
    const bool countUsable = count >= 0 && count <= shelfTableSize;
    const qsizetype wanted = countUsable ? count : recordsThere;
    const qsizetype read = std::min({wanted, recordsThere, qsizetype(shelfTableSize)});
    reading.entries.reserve(read);
    for (qsizetype i = 0; i < read; ++i) {
        const qsizetype first = 1 + i * shelfRecordLines;
        reading.entries.append(
            {lines.at(first), lines.at(first + 1), lines.at(first + 2), lines.at(first + 3)});
    }

    const qsizetype recordEnd = 1 + read * shelfRecordLines;
    const bool onlyEmptyAfter = std::all_of(lines.cbegin() + std::min(recordEnd, lines.size()), lines.cend(),
                                            [](const QString& line) { return line.isEmpty(); });
    const bool good = whole && understood && countUsable && read == count && onlyEmptyAfter;
    reading.verdict = good ? ShelfVerdict::Good : ShelfVerdict::Damaged;
    return reading;
}

} // namespace ruvo
