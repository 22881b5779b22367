// Any bytes as the shelf file of a folder, read as the bookshelf reads it,
// written back and read again.
#include "bookshelf/shelf_file.h"
#include "platform/local_file_services.h"
#include "scratch_file.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<ruvo::fuzz::ScratchFile> shelf;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    shelf = std::make_unique<ruvo::fuzz::ScratchFile>(ruvo::shelfFileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    shelf->write(data, size);
    ruvo::LocalFileServices files;
    const ruvo::ShelfReading reading = ruvo::readShelfFile(files, shelf->folder());
    if (!reading.readable || reading.entries.size() > ruvo::shelfTableSize)
        std::abort();
    // Writing what was read and reading it back gives the same shelf, but for a
    // carriage return inside a field, which is stored as a space.
    if (!ruvo::writeShelfFile(files, shelf->folder(), reading.entries))
        std::abort();
    QList<ruvo::ShelfEntry> expected = reading.entries;
    for (ruvo::ShelfEntry& entry : expected) {
        for (QString* field : {&entry.volumeLabel, &entry.bookPath, &entry.title, &entry.thumbnailFile})
            field->replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    if (ruvo::readShelfFile(files, shelf->folder()).entries != expected)
        std::abort();
    return 0;
}
