#pragma once

#include "books/page_names.h"

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

namespace ruvo {

// The text put between a title and its shelf position to make the sort key.
QString sortKeyMarker();

// The sort key of the entry at a 1-based shelf position.
QString titleSortKey(const QString& title, int position);

// The comparison of sort keys: the user's locale, ignoring case.
QCollator titleCollator();

// The shelf order after sorting by title: the 0-based indices of the entries,
// first to last. Entries compare by their whole sort keys with the collator, so
// equal titles keep the textual order of their positions (10 before 2). In number
// order, runs of digits (full-width ones too) compare by their values and the text
// between them with the collator: vol 2 before vol 10, and equal titles keep the
// order of their positions. Descending is the exact reverse of ascending. Every
// index appears exactly once, whatever the titles contain.
QList<int> titleSortOrder(const QStringList& titles, bool descending, const QCollator& collator,
                          NameOrder order = NameOrder::Characters);

} // namespace ruvo
