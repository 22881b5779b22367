#include "bookshelf/title_sort.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace ruvo;

class TestTitleSort : public QObject
{
    Q_OBJECT

private:
    static QStringList sorted(const QStringList& titles, bool descending,
                              NameOrder order = NameOrder::Characters,
                              const QCollator& collator = titleCollator())
    {
        QStringList result;
        for (int index : titleSortOrder(titles, descending, collator, order))
            result.append(titles.at(index) + QLatin1Char('#') + QString::number(index + 1));
        return result;
    }

private Q_SLOTS:
    void keysCarryTheMarkerAndThePosition()
    {
        QCOMPARE(sortKeyMarker().size(), 21);
        QCOMPARE(titleSortKey(QStringLiteral("abc"), 12), QStringLiteral("abcVb2item1narabe0hensuw12"));
    }

    void order_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("plain") << QStringList{"b", "c", "a"} << QStringList{"a#3", "b#1", "c#2"};
        QTest::newRow("case ignored") << QStringList{"b", "A", "C"} << QStringList{"A#2", "b#1", "C#3"};
        // Equal titles follow the text of their positions: 10 before 2.
        QStringList same(10, QStringLiteral("x"));
        QTest::newRow("equal titles")
            << same << QStringList{"x#1", "x#10", "x#2", "x#3", "x#4", "x#5", "x#6", "x#7", "x#8", "x#9"};
        // The shorter title meets the marker's V where the longer one goes on.
        QTest::newRow("longer title before v")
            << QStringList{"abc", "abcd"} << QStringList{"abcd#2", "abc#1"};
        QTest::newRow("longer title after v") << QStringList{"abc", "abcz"} << QStringList{"abc#1", "abcz#2"};
        QTest::newRow("empty title") << QStringList{"b", ""} << QStringList{"b#1", "#2"};
    }
    void order()
    {
        QFETCH(QStringList, titles);
        QFETCH(QStringList, ascending);
        QCOMPARE(sorted(titles, false), ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(sorted(titles, true), descending);
    }

    void numberOrder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("ascending");
        for (const QString& locale : {QStringLiteral("C"), QStringLiteral("ja_JP")}) {
            const auto row = [&locale](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(locale + QLatin1Char(' ') + QLatin1String(name))) << locale;
            };
            row("volumes") << QStringList{"vol 10", "vol 2", "vol 9"}
                           << QStringList{"vol 2#2", "vol 9#3", "vol 10#1"};
            row("kanji around") << QStringList{"第10巻", "第2巻", "第1巻"}
                                << QStringList{"第1巻#3", "第2巻#2", "第10巻#1"};
            row("full-width digits") << QStringList{"第１０巻", "第２巻", "第3巻"}
                                     << QStringList{"第２巻#2", "第3巻#3", "第１０巻#1"};
            row("case ignored") << QStringList{"b 10", "B 2", "a"} << QStringList{"a#3", "B 2#2", "b 10#1"};
            row("alike in value keep their positions")
                << QStringList{"v1", "v01", "v2"} << QStringList{"v1#1", "v01#2", "v2#3"};
            row("longer than any integer")
                << QStringList{"x 123456789012345678901234567890", "x 99999999999999999999"}
                << QStringList{"x 99999999999999999999#2", "x 123456789012345678901234567890#1"};
            QStringList same(10, QStringLiteral("x"));
            row("equal titles by position")
                << same << QStringList{"x#1", "x#2", "x#3", "x#4", "x#5", "x#6", "x#7", "x#8", "x#9", "x#10"};
        }
    }
    void numberOrder()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, ascending);
        QCollator collator{locale == QLatin1String("C") ? QLocale::c() : QLocale(locale)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        QCOMPARE(sorted(titles, false, NameOrder::Numbers, collator), ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(sorted(titles, true, NameOrder::Numbers, collator), descending);
    }

    void titlesHoldingTheMarkerKeepEveryEntry()
    {
        const QString marker = sortKeyMarker();
        const QStringList titles{marker + "3", "a" + marker, marker, "x" + marker + "1" + marker + "2",
                                 marker + "99999"};
        for (bool descending : {false, true}) {
            QList<int> order = titleSortOrder(titles, descending, titleCollator(), NameOrder::Numbers);
            std::sort(order.begin(), order.end());
            QCOMPARE(order, QList<int>({0, 1, 2, 3, 4}));
        }
    }

    void everyOrderIsAPermutation()
    {
        QRandomGenerator random(7);
        const QString alphabet = QStringLiteral("aAbB 01Vv,\"本棚") + sortKeyMarker();
        for (int round = 0; round < 50; ++round) {
            QStringList titles;
            const int count = 1 + int(random.bounded(40));
            for (int i = 0; i < count; ++i) {
                QString title;
                for (int n = int(random.bounded(8)); n > 0; --n)
                    title += alphabet.at(int(random.bounded(int(alphabet.size()))));
                titles.append(title);
            }
            const NameOrder nameOrder = round % 4 < 2 ? NameOrder::Characters : NameOrder::Numbers;
            QList<int> order = titleSortOrder(titles, round % 2 == 1, titleCollator(), nameOrder);
            std::sort(order.begin(), order.end());
            QList<int> all(count);
            std::iota(all.begin(), all.end(), 0);
            QCOMPARE(order, all);
        }
    }
};

QTEST_GUILESS_MAIN(TestTitleSort)
#include "tst_title_sort.moc"
