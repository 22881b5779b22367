// Any bytes as a code-page text file: decoded, split into lines, and written
// back. What is read and written again must read back the same.
#include "platform/code_page.h"
#include "platform/local_file_services.h"
#include "scratch_file.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<ruvo::fuzz::ScratchFile> text;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    text = std::make_unique<ruvo::fuzz::ScratchFile>(QStringLiteral("text.txt"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = ruvo::decodeCodePageText(bytes);
    if (ruvo::decodeCodePageText(ruvo::encodeCodePageText(decoded)) != decoded)
        std::abort();
    if (const std::optional<QString> strict = ruvo::decodeCodePageStrictly(bytes);
        strict && *strict != decoded && !bytes.startsWith("\xEF\xBB\xBF"))
        std::abort();

    text->write(data, size);
    ruvo::LocalFileServices files;
    const std::optional<QStringList> lines = files.readLines(text->path());
    if (!lines)
        std::abort();
    for (const QString& line : *lines) {
        if (line.contains(QLatin1Char('\n')))
            std::abort();
    }
    return 0;
}
