// Any bytes as the reading positions file. A file this program writes reads back as the very
// same bytes; any other gives no positions, and the first write keeps its exact bytes aside
// as ".bak" before it writes a file that reads back whole.
#include "platform/local_file_services.h"
#include "scratch_file.h"
#include "session/positions_file.h"

#include <QFile>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<ruvo::fuzz::ScratchFile> scratch;

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

// What is on disk now reads as these positions, in this order.
void readsBackAs(ruvo::LocalFileServices& files, const ruvo::ReadingPositions& positions)
{
    ruvo::PositionsFile again(files, scratch->folder());
    if (again.load() != ruvo::PositionsFile::Loaded::Read ||
        again.positions().inOrder() != positions.inOrder())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    scratch = std::make_unique<ruvo::fuzz::ScratchFile>(ruvo::PositionsFile::fileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    scratch->write(data, size);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    ruvo::LocalFileServices files;
    ruvo::PositionsFile file(files, scratch->folder());
    const ruvo::PositionsFile::Loaded loaded = file.load();
    if (loaded == ruvo::PositionsFile::Loaded::None)
        std::abort();
    if (loaded == ruvo::PositionsFile::Loaded::Read) {
        // One spelling for each store: what was read is what would be written.
        if (file.positions().inOrder().size() < ruvo::ReadingPositions::capacity &&
            file.positions().text() != input)
            std::abort();
    } else if (!file.positions().isEmpty()) {
        std::abort();
    }

    file.positions().remember(
        ruvo::ReadingPosition{ruvo::BookKey{"/b/\x83\x79\tnew", 1, 2}, "p\n1.jpg", true});
    if (!file.save())
        std::abort();
    readsBackAs(files, file.positions());
    if (loaded == ruvo::PositionsFile::Loaded::Damaged) {
        const QString kept = file.path() + QStringLiteral(".bak");
        if (bytesOf(kept) != input || !QFile::remove(kept))
            std::abort();
    }
    return 0;
}
