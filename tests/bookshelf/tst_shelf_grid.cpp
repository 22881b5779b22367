#include "bookshelf/shelf_grid.h"

#include <QTest>

using namespace ruvo;

class TestShelfGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void canvasOf580PixelsHoldsFourCellsARow()
    {
        const std::optional<ShelfGrid> grid = layOutShelfGrid(580, 10);
        QVERIFY(grid);
        // Two icons in the first row, then full rows of four.
        const QList<QPoint> expected{{287, 10},  {431, 10}, {0, 163},   {144, 163}, {288, 163},
                                     {432, 163}, {0, 316},  {144, 316}, {288, 316}, {432, 316}};
        QCOMPARE(grid->cells, expected);
        QCOMPARE(grid->columnsPerRow, 4);
        QCOMPARE(grid->canvasHeight, 170 + 2 * 153);
    }

    void firstRowDecidesTheColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("columnsPerRow");
        QTest::addColumn<int>("rows");
        QTest::newRow("no books") << 580 << 0 << 2 << 0;
        QTest::newRow("one book") << 580 << 1 << 3 << 1;
        QTest::newRow("first row full") << 580 << 2 << 4 << 1;
        QTest::newRow("one more wraps") << 580 << 3 << 4 << 2;
        // 575 + 137 + 7 = 719: the third cell of the first row needs a canvas of 720.
        QTest::newRow("just too narrow for three") << 719 << 5 << 4 << 2;
        QTest::newRow("just wide enough for three") << 720 << 5 << 5 << 2;
        // 287 + 144 = 431: narrower canvases wrap before the first icon.
        QTest::newRow("no room in the first row") << 431 << 3 << 2 << 2;
        QTest::newRow("one cell a row") << 145 << 3 << 2 << 3;
    }
    void firstRowDecidesTheColumns()
    {
        QFETCH(int, width);
        QFETCH(int, entries);
        QFETCH(int, columnsPerRow);
        QFETCH(int, rows);
        const std::optional<ShelfGrid> grid = layOutShelfGrid(width, entries);
        QVERIFY(grid);
        QCOMPARE(grid->cells.size(), entries);
        QCOMPARE(grid->columnsPerRow, columnsPerRow);
        int rowCount = 0;
        for (int i = 0; i < grid->cells.size(); ++i) {
            if (i == 0 || grid->cells.at(i).y() != grid->cells.at(i - 1).y())
                ++rowCount;
            // No cell's title reaches the canvas edge.
            QVERIFY(grid->cells.at(i).x() + 137 + 7 < width);
        }
        QCOMPARE(rowCount, rows);
        const int wraps = rows == 0 ? 0 : (grid->cells.constLast().y() - 10) / 153;
        QCOMPARE(grid->canvasHeight, 170 + wraps * 153);
    }

    void tooNarrowCanvasIsNotLaidOut()
    {
        // 0 + 137 + 7 >= 144: every row would wrap again.
        QVERIFY(!layOutShelfGrid(144, 1));
        QVERIFY(!layOutShelfGrid(0, 3));
        QVERIFY(layOutShelfGrid(0, 0));
    }

    void iconsSitInTheirCells()
    {
        QCOMPARE(iconImageRect(QPoint(287, 10)), QRect(310, 10, 105, 129));
        QCOMPARE(iconLabelRect(QPoint(287, 10)), QRect(294, 139, 137, 24));
        // The next row's image starts below the title.
        QVERIFY(iconLabelRect(QPoint(0, 10)).bottom() < iconImageRect(QPoint(0, 163)).top());
    }

    void scrollRange()
    {
        QCOMPARE(shelfScrollMaximum(476, 333), 143);
        QVERIFY(shelfScrollEnabled(476, 333));
        QVERIFY(!shelfScrollEnabled(333, 333));
        QVERIFY(!shelfScrollEnabled(170, 333));
    }
};

QTEST_GUILESS_MAIN(TestShelfGrid)
#include "tst_shelf_grid.moc"
