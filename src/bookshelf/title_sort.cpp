#include "bookshelf/title_sort.h"

#include "common/number_runs.h"

#include <QLocale>
#include <algorithm>
#include <numeric>

namespace ruvo {

using namespace Qt::StringLiterals;

QString sortKeyMarker()
{
    return u"Vb2item1narabe0hensuw"_s;
}

QString titleSortKey(const QString& title, int position)
{
    return title + sortKeyMarker() + QString::number(position);
}

QCollator titleCollator()
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    return collator;
}

namespace {

// Compares two keys cut into runs: digits against digits by value, anything else with the
// collator; keys whose runs are all alike compare whole.
int compareByNumbers(const QString& a, const QList<QStringView>& runsA, const QString& b,
                     const QList<QStringView>& runsB, const QCollator& collator)
{
    const qsizetype common = std::min(runsA.size(), runsB.size());
    for (qsizetype k = 0; k < common; ++k) {
        const QStringView runA = runsA.at(k);
        const QStringView runB = runsB.at(k);
        const int byRun = isAsciiDigit(runA.front()) && isAsciiDigit(runB.front())
                              ? compareDigitRuns(runA, runB)
                              : collator.compare(runA, runB);
        if (byRun != 0)
            return byRun;
    }
    if (runsA.size() != runsB.size())
        return runsA.size() < runsB.size() ? -1 : 1;
    if (const int whole = collator.compare(a, b); whole != 0)
        return whole;
    return a.compare(b);
}

} // namespace

QList<int> titleSortOrder(const QStringList& titles, bool descending, const QCollator& collator,
                          NameOrder order)
{
    // The entries travel with their keys: reading a position back out of a key
    // would go wrong for a title that itself holds the marker.
    QStringList keys;
    keys.reserve(titles.size());
    for (qsizetype i = 0; i < titles.size(); ++i)
        keys.append(titleSortKey(titles.at(i), int(i + 1)));

    QList<int> sorted(titles.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    if (order == NameOrder::Numbers) {
        for (QString& key : keys)
            key = withAsciiDigits(std::move(key));
        QList<QList<QStringView>> runs;
        runs.reserve(keys.size());
        for (const QString& key : std::as_const(keys))
            runs.append(numberRuns(key));
        std::stable_sort(sorted.begin(), sorted.end(), [&keys, &runs, &collator](int a, int b) {
            return compareByNumbers(keys.at(a), runs.at(a), keys.at(b), runs.at(b), collator) < 0;
        });
    } else {
        std::stable_sort(sorted.begin(), sorted.end(), [&keys, &collator](int a, int b) {
            return collator.compare(keys.at(a), keys.at(b)) < 0;
        });
    }
    if (descending)
        std::reverse(sorted.begin(), sorted.end());
    return sorted;
}

} // namespace ruvo
