// Any bytes as the shelf file of a folder, read as the windows read it. A file
// read whole is replaced without a question, and what it said survives the
// write; any other is never replaced unless the user agrees: after a No its
// bytes are there as they were, after a Yes they are kept beside it first.
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_write_guard.h"
#include "platform/code_page.h"
#include "platform/local_file_services.h"
#include "platform/message_box_service.h"
#include "scratch_file.h"

#include <QFile>
#include <QSet>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

std::unique_ptr<ruvo::fuzz::ScratchFile> shelf;

// Answers every question as told and counts them.
class Answers : public ruvo::MessageBoxService
{
public:
    ruvo::MessageAnswer show(const QString&, const QString&, ruvo::MessageButtons buttons) override
    {
        if (buttons == ruvo::MessageButtons::Ok)
            return ruvo::MessageAnswer::Ok;
        ++questions;
        return answer;
    }

    ruvo::MessageAnswer answer = ruvo::MessageAnswer::No;
    int questions = 0;
};

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

// A field as it reads back once written: a name in code-page 932 bytes as its readable text.
QString stored(const QString& field)
{
    return ruvo::decodeCodePageText(ruvo::encodeCodePageText(field));
}

// The lines after the count of a shelf file read whole, as its fields hold
// them: a carriage return inside a line is kept as a space when it is written.
QSet<QString> fieldLines(const QByteArray& bytes)
{
    const std::optional<QString> text = ruvo::decodeCodePageTextExactly(bytes);
    if (!text)
        std::abort();
    QStringList lines = ruvo::linesOfText(*text);
    if (!lines.isEmpty())
        lines.removeFirst();
    QSet<QString> fields;
    for (QString& line : lines) {
        if (!line.isEmpty())
            fields.insert(stored(line.replace(QLatin1Char('\r'), QLatin1Char(' '))));
    }
    return fields;
}

// A file read whole: written back, every line it held is there again and it
// reads as the same shelf.
void writeBack(ruvo::LocalFileServices& files, const ruvo::ShelfReading& reading, const QByteArray& input)
{
    if (!ruvo::writeShelfFile(files, shelf->folder(), reading.entries))
        std::abort();
    const QByteArray written = bytesOf(shelf->path());
    if (!fieldLines(written).contains(fieldLines(input)))
        std::abort();
    QList<ruvo::ShelfEntry> expected = reading.entries;
    for (ruvo::ShelfEntry& entry : expected) {
        for (QString* field : {&entry.volumeLabel, &entry.bookPath, &entry.title, &entry.thumbnailFile})
            *field = stored(field->replace(QLatin1Char('\r'), QLatin1Char(' ')));
    }
    const ruvo::ShelfReading again = ruvo::readShelfFile(files, shelf->folder());
    if (again.verdict != ruvo::ShelfVerdict::Good || again.entries != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    shelf = std::make_unique<ruvo::fuzz::ScratchFile>(ruvo::shelfFileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    shelf->write(data, size);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    ruvo::LocalFileServices files;
    const ruvo::ShelfReading reading = ruvo::readShelfFile(files, shelf->folder());
    if (reading.verdict == ruvo::ShelfVerdict::Missing || reading.entries.size() > ruvo::shelfTableSize)
        std::abort();

    Answers answers;
    ruvo::ShelfWriteGuard guard(files, answers);
    guard.take(shelf->folder(), reading);
    if (reading.verdict == ruvo::ShelfVerdict::Good) {
        if (!guard.allowsReplacing() || answers.questions != 0)
            std::abort();
        writeBack(files, reading, input);
        return 0;
    }

    // No: asked once, and the file is as it was.
    if (guard.allowsReplacing() || answers.questions != 1 || bytesOf(shelf->path()) != input)
        std::abort();
    // Yes: the exact bytes are kept beside it before anything may replace it.
    answers.answer = ruvo::MessageAnswer::Yes;
    if (!guard.allowsReplacing() || answers.questions != 2 || bytesOf(guard.backupPath()) != input)
        std::abort();
    if (!QFile::remove(guard.backupPath()))
        std::abort();
    return 0;
}
