#include "support/viewer_fixture.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

// The popup menu's picture adjustments: each step, the greyscale switch and the reset, kept
// as the defaults every book is drawn with.
class TestPictureAdjustmentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachCommandStepsItsAdjustment_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("contrast");
        QTest::addColumn<int>("gamma");
        QTest::newRow("brighter") << QString(MenuItem::brighter) << 10 << 0 << 100;
        QTest::newRow("darker") << QString(MenuItem::darker) << -10 << 0 << 100;
        QTest::newRow("more contrast") << QString(MenuItem::moreContrast) << 0 << 10 << 100;
        QTest::newRow("less contrast") << QString(MenuItem::lessContrast) << 0 << -10 << 100;
        QTest::newRow("gamma up") << QString(MenuItem::gammaUp) << 0 << 0 << 110;
        QTest::newRow("gamma down") << QString(MenuItem::gammaDown) << 0 << 0 << 90;
    }
    void eachCommandStepsItsAdjustment()
    {
        QFETCH(QString, item);
        QFETCH(int, brightness);
        QFETCH(int, contrast);
        QFETCH(int, gamma);
        ViewerFixture f;
        f.form.menuClick(item);
        const PictureAdjustments& a = f.form.controls().adjustments;
        QCOMPARE(a, (PictureAdjustments{brightness, contrast, gamma, false}));
        QVERIFY(
            f.platform.settings.writes.contains(u"ruvo/picture/brightness="_s + QString::number(brightness)));
        QVERIFY(f.platform.settings.writes.contains(u"ruvo/picture/gamma="_s + QString::number(gamma)));
    }

    void stepsStopAtTheirEndsAndTheResetUndoesAll()
    {
        ViewerFixture f;
        for (int i = 0; i < 15; ++i)
            f.form.menuClick(MenuItem::brighter);
        for (int i = 0; i < 100; ++i)
            f.form.menuClick(MenuItem::gammaDown);
        f.form.menuClick(MenuItem::greyscale);
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.adjustments, (PictureAdjustments{100, 0, 20, true}));
        QVERIFY(c.menu(MenuItem::greyscale).checked);

        f.form.menuClick(MenuItem::resetAdjustments);
        QVERIFY(c.adjustments.isNone());
        QVERIFY(!c.menu(MenuItem::greyscale).checked);
        QCOMPARE(f.platform.settings.writes.mid(f.platform.settings.writes.size() - 4),
                 QStringList({u"ruvo/picture/brightness=0"_s, u"ruvo/picture/contrast=0"_s,
                              u"ruvo/picture/gamma=100"_s, u"ruvo/picture/greyscale=0"_s}));
    }

    // Kept values are read at start, held within their ranges however the file was edited.
    void theKeptAdjustmentsAreReadAtStart()
    {
        ViewerFixture f(false);
        QHash<QString, QString>& values = f.platform.settings.values;
        values.insert(FakeSettings::path(u"ruvo"_s, u"picture"_s, u"brightness"_s), u"-30"_s);
        values.insert(FakeSettings::path(u"ruvo"_s, u"picture"_s, u"contrast"_s), u"20"_s);
        values.insert(FakeSettings::path(u"ruvo"_s, u"picture"_s, u"gamma"_s), u"99999"_s);
        values.insert(FakeSettings::path(u"ruvo"_s, u"picture"_s, u"greyscale"_s), u"1"_s);
        f.form.Form_Load();
        QCOMPARE(f.form.controls().adjustments, (PictureAdjustments{-30, 20, 500, true}));
        QVERIFY(f.form.controls().menu(MenuItem::greyscale).checked);
    }
};

QTEST_GUILESS_MAIN(TestPictureAdjustmentCommands)
#include "tst_picture_adjustment_commands.moc"
