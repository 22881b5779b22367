#pragma once

#include "session/reading_position.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace ruvo {

// The places where the books read last were left, the most recent first, at most
// `capacity` of them: remembering one more lets the oldest go.
//
// As text, a header line and then one line per book, its fields separated by tabs: the
// book's path, its size, its time of last change, 1 when its page stands alone by the
// reader's shift (else 0), and the page. Paths and pages are percent-encoded bytes, so any
// name a file system allows survives, tabs and line breaks included.
class ReadingPositions
{
public:
    static constexpr int capacity = 1000;

    // What reading a text gave: the positions, and whether the text was one this class
    // writes. Anything else (another header, a line of the wrong shape) gives no positions.
    struct Parsed;
    static Parsed parse(QByteArrayView text);
    QByteArray text() const;

    // The position kept for the book, if its key matches in full.
    std::optional<ReadingPosition> find(const BookKey& book) const;
    // Keeps the position as the most recent, in place of any other of the same path.
    void remember(const ReadingPosition& position);
    const QList<ReadingPosition>& inOrder() const { return m_positions; }
    bool isEmpty() const { return m_positions.isEmpty(); }

private:
    QList<ReadingPosition> m_positions;
};

struct ReadingPositions::Parsed
{
    ReadingPositions positions;
    bool valid = false;
};

} // namespace ruvo
