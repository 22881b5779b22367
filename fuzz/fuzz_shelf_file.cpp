// Any bytes as the shelf file of a folder, read as the bookshelf reads it.
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
    // What the window does with every name it read: decide whether it may be deleted.
    for (const ruvo::ShelfEntry& entry : reading.entries) {
        if (ruvo::isBareFileName(entry.thumbnailFile) && entry.thumbnailFile.contains(QLatin1Char('/')))
            std::abort();
    }
    // Writing what was read and reading it back gives the same shelf.
    ruvo::LocalFileServices writer;
    if (!ruvo::writeShelfFile(writer, shelf->folder(), reading.entries))
        std::abort();
    const ruvo::ShelfReading again = ruvo::readShelfFile(files, shelf->folder());
    if (again.entries.size() != reading.entries.size())
        std::abort();
    return 0;
}
