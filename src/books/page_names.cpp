#include "books/page_names.h"

#include "common/number_runs.h"
#include "imaging/picture_formats.h"
#include "platform/readable_name.h"

#include <algorithm>
#include <vector>

namespace ruvo {

namespace {

// The name as number order reads it: folded to one case, full-width digits as ASCII ones.
QString numberKey(const QString& readable)
{
    return withAsciiDigits(readable.toCaseFolded());
}

// Compares two number keys, a run of digits against another by its value, of any length.
// Alike characters are passed over together; where they end inside a run of digits, the
// whole runs are compared.
int compareByNumbers(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        const qsizetype anchor = i;
        while (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i;
            ++j;
        }
        const bool digitA = i < a.size() && isAsciiDigit(a[i]);
        const bool digitB = j < b.size() && isAsciiDigit(b[j]);
        if (digitA || digitB) {
            while (i > anchor && isAsciiDigit(a[i - 1])) {
                --i;
                --j;
            }
        }
        if (i < a.size() && j < b.size() && isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            const qsizetype endA = digitsEnd(a, i);
            const qsizetype endB = digitsEnd(b, j);
            if (const int byValue = compareDigitRuns(a.sliced(i, endA - i), b.sliced(j, endB - j));
                byValue != 0)
                return byValue;
            i = endA;
            j = endB;
            continue;
        }
        if (i == a.size() || j == b.size()) {
            const qsizetype restA = a.size() - i;
            const qsizetype restB = b.size() - j;
            return restA == restB ? 0 : (restA < restB ? -1 : 1);
        }
        return a[i] < b[j] ? -1 : 1;
    }
}

} // namespace

bool hasPageExtension(const QString& nameOrPath, PageFormats formats)
{
    return pageFormatOfName(nameOrPath, formats) != nullptr;
}

void sortPageNames(QStringList& names, NameOrder order)
{
    // Pages are ordered by the names the reader reads (a name in code page 932 bytes as its
    // Japanese), without regard to case. Names read alike (in two cases, possible here
    // unlike on the systems the order comes from, or in two encodings) keep a fixed order
    // among themselves, by what they hold.
    struct Keyed
    {
        QString readable;
        QString numbered;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QString& name : std::as_const(names)) {
        QString readable = readableName(name);
        QString numbered = order == NameOrder::Numbers ? numberKey(readable) : QString();
        keyed.push_back({std::move(readable), std::move(numbered), name});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (const int byNumbers = compareByNumbers(a.numbered, b.numbered); byNumbers != 0)
            return byNumbers < 0;
        const int byCase = QString::compare(a.readable, b.readable, Qt::CaseInsensitive);
        if (byCase != 0)
            return byCase < 0;
        return a.readable != b.readable ? a.readable < b.readable : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].name);
}

} // namespace ruvo
