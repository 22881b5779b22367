// Any bytes as the record file of a program folder, read at start-up.
#include "platform/local_file_services.h"
#include "scratch_file.h"
#include "session/record_file.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<ruvo::fuzz::ScratchFile> record;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    record = std::make_unique<ruvo::fuzz::ScratchFile>(QStringLiteral("defruv.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    record->write(data, size);
    ruvo::LocalFileServices files;
    const ruvo::RecordFile recordFile(files, record->folder());
    // Whatever the file holds, start-up gets a folder to open.
    if (recordFile.readShelfFolder().isEmpty())
        std::abort();
    return 0;
}
