#include "bookshelf/title_sort.h"

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

QList<int> titleSortOrder(const QStringList& titles, bool descending, const QCollator& collator)
{
    // The entries travel with their keys: reading a position back out of a key
    // would go wrong for a title that itself holds the marker.
    QStringList keys;
    keys.reserve(titles.size());
    for (qsizetype i = 0; i < titles.size(); ++i)
        keys.append(titleSortKey(titles.at(i), int(i + 1)));

    QList<int> order(titles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys, &collator](int a, int b) {
        return collator.compare(keys.at(a), keys.at(b)) < 0;
    });
    if (descending)
        std::reverse(order.begin(), order.end());
    return order;
}

} // namespace ruvo
