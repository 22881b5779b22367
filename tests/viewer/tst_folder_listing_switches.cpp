#include "commands/control_names.h"
#include "support/archive_fixtures.h"
#include "support/avif_fixtures.h"
#include "support/file_bytes.h"
#include "support/jxl_fixtures.h"
#include "support/real_book_fixture.h"
#include "support/view_modes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

// The two switches of how a folder is listed, through the viewer's menu, over real files
// and the real decoder: pages in every format, and numbers in names by their value.
class TestFolderListingSwitches : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A folder of one page in each format only archives once held, and two JPEG pages.
    QString everyFormatFolder()
    {
        const QString folder = m_dir.filePath(u"formats"_qs);
        if (!QDir().mkpath(folder))
            return {};
        QImage picture(QSize(20, 10), QImage::Format_RGB32);
        picture.fill(Qt::gray);
        putIn(m_dir, u"formats/p1.png"_qs, pagePicture(Qt::red, "PNG", QSize(21, 11)));
        putIn(m_dir, u"formats/p2.webp"_qs, pagePicture(Qt::green, "WEBP", QSize(22, 12)));
        putIn(m_dir, u"formats/p3.avif"_qs, avifOf({picture.scaled(23, 13)}));
        putIn(m_dir, u"formats/p4.jxl"_qs, jxlOf({picture.scaled(24, 14)}));
        putIn(m_dir, u"formats/p5.jpg"_qs, pagePicture(Qt::blue, "JPEG", QSize(25, 15)));
        putIn(m_dir, u"formats/p10.jpg"_qs, pagePicture(Qt::blue, "JPEG", QSize(26, 16)));
        return folder;
    }

private Q_SLOTS:
    void everyFormatIsAPageOfAFolder()
    {
        const QString folder = everyFormatFolder();
        RealBookFixture f;
        setOnePage(f.form, true);
        QVERIFY(f.form.controls().menu(MenuItem::allFormats).checked);
        f.open(folder);
        QVERIFY(f.fakes.messages.shown.isEmpty());
        QCOMPARE(f.browser.pages().names(),
                 QStringList({"p1.png", "p2.webp", "p3.avif", "p4.jxl", "p5.jpg", "p10.jpg"}));
        for (int page = 0; page < 6; ++page) {
            if (page > 0)
                f.form.NEXTP_Click();
            QCOMPARE(f.form.controls().picture2.picture.size(), QSize(21 + page, 11 + page));
        }
    }

    // Held to the basic formats, the open folder is listed again without the others, at the
    // page it showed when that is still one, at its first when not; let go, they come back.
    void theFormatsSwitchListsTheOpenFolderAgain()
    {
        const QString folder = everyFormatFolder();
        RealBookFixture f;
        setOnePage(f.form, true);
        f.open(folder + u"/p5.jpg"_qs);
        QCOMPARE(f.state.shownPagePath, folder + u"/p5.jpg"_qs);

        f.form.menuClick(MenuItem::allFormats);
        QVERIFY(!f.form.controls().menu(MenuItem::allFormats).checked);
        QVERIFY(f.fakes.settings.writes.endsWith(u"ruvo/reading/allFormats=0"_qs));
        QCOMPARE(f.browser.pages().names(), QStringList({"p5.jpg", "p10.jpg"}));
        QCOMPARE(f.state.shownPagePath, folder + u"/p5.jpg"_qs);
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(25, 15));
        // A picture of the other formats is no page either: dropped, it opens nothing.
        f.open(folder + u"/p1.png"_qs);
        QCOMPARE(f.state.shownPagePath, folder + u"/p5.jpg"_qs);

        f.form.menuClick(MenuItem::allFormats);
        QVERIFY(f.fakes.settings.writes.endsWith(u"ruvo/reading/allFormats=1"_qs));
        QCOMPARE(f.browser.pages().count(), 6);
        QCOMPARE(f.state.shownPagePath, folder + u"/p5.jpg"_qs);
        f.open(folder + u"/p1.png"_qs);
        QCOMPARE(f.state.shownPagePath, folder + u"/p1.png"_qs);
    }

    // A folder that held no page of the basic formats shows its pages once they may be others.
    void aFolderOfNoBasicPagesShowsThemWhenLetGo()
    {
        const QString folder = m_dir.filePath(u"pngs"_qs);
        QVERIFY(QDir().mkpath(folder));
        putIn(m_dir, u"pngs/1.png"_qs, pagePicture(Qt::red, "PNG", QSize(30, 20)));
        RealBookFixture f;
        setOnePage(f.form, true);
        f.form.menuClick(MenuItem::allFormats);
        f.open(folder);
        QCOMPARE(f.browser.pages().count(), 0);
        QVERIFY(!f.form.controls().emptyAreaText.isEmpty());

        f.form.menuClick(MenuItem::allFormats);
        QCOMPARE(f.browser.pages().names(), QStringList{u"1.png"_qs});
        QCOMPARE(f.state.shownPagePath, folder + u"/1.png"_qs);
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(30, 20));
        QVERIFY(f.form.controls().emptyAreaText.isEmpty());
    }

    void theOrderSwitchListsTheOpenFolderAgain()
    {
        const QString folder = everyFormatFolder();
        RealBookFixture f;
        setOnePage(f.form, true);
        f.open(folder + u"/p10.jpg"_qs);
        QCOMPARE(f.browser.pages().names().last(), u"p10.jpg"_qs);

        f.form.menuClick(MenuItem::numberOrder);
        QVERIFY(f.fakes.settings.writes.endsWith(u"ruvo/reading/numberOrder=0"_qs));
        QCOMPARE(f.browser.pages().names(),
                 QStringList({"p1.png", "p10.jpg", "p2.webp", "p3.avif", "p4.jxl", "p5.jpg"}));
        QCOMPARE(f.state.shownPagePath, folder + u"/p10.jpg"_qs);
        QCOMPARE(f.form.controls().picture2.picture.size(), QSize(26, 16));
    }

    // Both are kept: a viewer started with them off lists folders as they say.
    void theSwitchesAreReadAtStart()
    {
        const QString folder = everyFormatFolder();
        RealBookFixture f;
        f.fakes.settings.values.insert(FakeSettings::path(u"ruvo"_qs, u"reading"_qs, u"allFormats"_qs),
                                       u"0"_qs);
        f.fakes.settings.values.insert(FakeSettings::path(u"ruvo"_qs, u"reading"_qs, u"numberOrder"_qs),
                                       u"0"_qs);
        Form1 restarted(f.platform, f.state, f.browser);
        f.browser.setBookOpener(&restarted);
        restarted.Form_Load();
        QVERIFY(!restarted.controls().menu(MenuItem::allFormats).checked);
        QVERIFY(!restarted.controls().menu(MenuItem::numberOrder).checked);
        restarted.controls().list1 = QStringList{folder};
        restarted.dP();
        QCOMPARE(f.browser.pages().names(), QStringList({"p10.jpg", "p5.jpg"}));
    }
};

QTEST_MAIN(TestFolderListingSwitches)
#include "tst_folder_listing_switches.moc"
