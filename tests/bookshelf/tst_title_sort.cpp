#include "bookshelf/title_sort.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace ruvo;

class TestTitleSort : public QObject
{
    Q_OBJECT

private:
    static QStringList sorted(const QStringList& titles, bool descending)
    {
        QStringList result;
        for (int index : titleSortOrder(titles, descending, titleCollator()))
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

    void titlesHoldingTheMarkerKeepEveryEntry()
    {
        const QString marker = sortKeyMarker();
        const QStringList titles{marker + "3", "a" + marker, marker, "x" + marker + "1" + marker + "2",
                                 marker + "99999"};
        for (bool descending : {false, true}) {
            QList<int> order = titleSortOrder(titles, descending, titleCollator());
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
            QList<int> order = titleSortOrder(titles, round % 2 == 1, titleCollator());
            std::sort(order.begin(), order.end());
            QList<int> all(count);
            std::iota(all.begin(), all.end(), 0);
            QCOMPARE(order, all);
        }
    }
};

QTEST_GUILESS_MAIN(TestTitleSort)
#include "tst_title_sort.moc"
