// Any bytes as a code-page text file: decoded, split into lines, and written
// back. What is written is valid text in the encoding it declares, and once
// written and read, writing and reading it again changes nothing (a name in
// code-page 932 bytes reads back as its readable text after the first time).
#include "platform/code_page.h"
#include "platform/local_file_services.h"
#include "scratch_file.h"

#include <QStringDecoder>

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
    const QByteArray written = ruvo::encodeCodePageText(decoded);
    if (written.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        utf8.decode(written);
        if (utf8.hasError())
            std::abort();
    } else if (!ruvo::decodeCodePageStrictly(written)) {
        std::abort();
    }
    const QString stored = ruvo::decodeCodePageText(written);
    if (ruvo::decodeCodePageText(ruvo::encodeCodePageText(stored)) != stored)
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
