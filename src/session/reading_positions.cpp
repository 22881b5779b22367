#include "session/reading_positions.h"

#include <QSet>

namespace ruvo {

namespace {

constexpr QByteArrayView header = "ruvo reading positions 1";
constexpr char fieldSeparator = '\t';
constexpr char lineEnd = '\n';

// Only the separators, the escape itself and what is not printable ASCII are escaped, so that
// a plain path stays readable in the file.
QByteArray encoded(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '%') {
            out += '%';
            out += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes of an encoded field; nothing when it is not as encoded() writes it.
std::optional<QByteArray> decoded(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (byte < 0x20 || byte >= 0x7f)
            return std::nullopt;
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            return std::nullopt;
        const int high = hexDigit(field[i + 1]);
        const int low = hexDigit(field[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const char value = char(high * 16 + low);
        // Written only for what needs it: another spelling is not this file's.
        if (encoded(QByteArray(1, value)).size() == 1)
            return std::nullopt;
        out += value;
        i += 2;
    }
    return out;
}

std::optional<qint64> number(QByteArrayView field)
{
    // Plain decimal, as text() writes it: no sign but a leading minus, no spaces.
    if (field.isEmpty() || field.size() > 20)
        return std::nullopt;
    bool ok = false;
    const qint64 value = field.toLongLong(&ok);
    if (!ok || QByteArray::number(value) != field)
        return std::nullopt;
    return value;
}

std::optional<ReadingPosition> positionOf(QByteArrayView line)
{
    const QList<QByteArray> fields = line.toByteArray().split(fieldSeparator);
    if (fields.size() != 5)
        return std::nullopt;
    const std::optional<QByteArray> path = decoded(fields.at(0));
    const std::optional<qint64> size = number(fields.at(1));
    const std::optional<qint64> modified = number(fields.at(2));
    const std::optional<QByteArray> page = decoded(fields.at(4));
    const QByteArray& shift = fields.at(3);
    if (!path || path->isEmpty() || !size || *size < -1 || !modified || !page ||
        (shift != "0" && shift != "1"))
        return std::nullopt;
    return ReadingPosition{BookKey{*path, *size, *modified}, *page, shift == "1"};
}

} // namespace

ReadingPositions::Parsed ReadingPositions::parse(QByteArrayView text)
{
    Parsed parsed;
    if (!text.startsWith(header) || !text.endsWith(lineEnd))
        return parsed;
    QSet<QByteArray> paths;
    QList<ReadingPosition> positions;
    const QList<QByteArray> lines = text.toByteArray().chopped(1).split(lineEnd);
    if (lines.constFirst() != header)
        return parsed;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        std::optional<ReadingPosition> position = positionOf(lines.at(i));
        // A book twice is a file no writer of ours made.
        if (!position || paths.contains(position->book.path))
            return parsed;
        paths.insert(position->book.path);
        if (positions.size() < capacity)
            positions.append(std::move(*position));
    }
    parsed.positions.m_positions = std::move(positions);
    parsed.valid = true;
    return parsed;
}

QByteArray ReadingPositions::text() const
{
    QByteArray out = header.toByteArray() + lineEnd;
    for (const ReadingPosition& position : m_positions) {
        out += encoded(position.book.path) + fieldSeparator + QByteArray::number(position.book.size) +
               fieldSeparator + QByteArray::number(position.book.modified) + fieldSeparator +
               (position.shifted ? "1" : "0") + fieldSeparator + encoded(position.page) + lineEnd;
    }
    return out;
}

std::optional<ReadingPosition> ReadingPositions::find(const BookKey& book) const
{
    for (const ReadingPosition& position : m_positions) {
        if (position.book.path == book.path)
            return position.book == book ? std::optional(position) : std::nullopt;
    }
    return std::nullopt;
}

void ReadingPositions::remember(const ReadingPosition& position)
{
    m_positions.removeIf([&](const ReadingPosition& kept) { return kept.book.path == position.book.path; });
    m_positions.prepend(position);
    if (m_positions.size() > capacity)
        m_positions.resize(capacity);
}

} // namespace ruvo
