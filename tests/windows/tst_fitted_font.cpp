#include "windows/fitted_font.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

using namespace ruvo;

// A title drawn on a page of the splash keeps inside it, at the size asked for where it fits.
class TestFittedFont : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitsTheWidth_data()
    {
        QTest::addColumn<qreal>("width");
        QTest::newRow("a page of the splash") << qreal(78);
        QTest::newRow("narrow") << qreal(20);
        QTest::newRow("no room at all") << qreal(0);
    }
    void fitsTheWidth()
    {
        QFETCH(qreal, width);
        QFont wanted;
        wanted.setPointSize(28);
        wanted.setBold(true);
        const QString title = QStringLiteral("Ruvo");
        const QFont fitted = fittedFont(wanted, title, width);
        QVERIFY(fitted.pointSizeF() <= wanted.pointSizeF());
        QVERIFY(fitted.pointSizeF() >= 1);
        QVERIFY(fitted.bold());
        if (fitted.pointSizeF() > 1)
            QVERIFY(QFontMetricsF(fitted).horizontalAdvance(title) <= width);
        // One point larger would not have fitted.
        if (fitted.pointSizeF() < wanted.pointSizeF()) {
            QFont larger = fitted;
            larger.setPointSizeF(fitted.pointSizeF() + 1);
            QVERIFY(QFontMetricsF(larger).horizontalAdvance(title) > width);
        }
    }

    void keepsItsSizeWhereItFits()
    {
        QFont wanted;
        wanted.setPointSize(12);
        QCOMPARE(fittedFont(wanted, QStringLiteral("Ruvo"), 1000).pointSizeF(), 12.0);
    }
};

QTEST_MAIN(TestFittedFont)
#include "tst_fitted_font.moc"
