#include "books/page_names.h"

#include "imaging/picture_formats.h"
#include "platform/readable_name.h"

#include <algorithm>
#include <vector>

namespace ruvo {

bool hasPageExtension(const QString& nameOrPath)
{
    return pictureFormatOfName(nameOrPath) != nullptr;
}

void sortPageNames(QStringList& names)
{
    // Pages are ordered by the names the reader reads (a name in code page 932 bytes as its
    // Japanese), without regard to case. Names read alike (in two cases, possible here
    // unlike on the systems the order comes from, or in two encodings) keep a fixed order
    // among themselves, by what they hold.
    struct Keyed
    {
        QString readable;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QString& name : std::as_const(names))
        keyed.push_back({readableName(name), name});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byCase = QString::compare(a.readable, b.readable, Qt::CaseInsensitive);
        if (byCase != 0)
            return byCase < 0;
        return a.readable != b.readable ? a.readable < b.readable : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].name);
}

} // namespace ruvo
