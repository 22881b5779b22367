#include "shelf_fixture.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

class TestForm6Loading : public QObject
{
    Q_OBJECT

private:
    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private Q_SLOTS:
    void emptyShelfOpensEmpty()
    {
        ShelfFixture f;
        writeBytes(f.shelf + "/Hondana.ruv", "0\r\n");
        Form6& form = f.open();
        const Form6Controls& controls = form.controls();
        QCOMPARE(controls.panel(1), QStringLiteral("登録本数 0 冊"));
        QCOMPARE(controls.panel(2), QStringLiteral("レディ"));
        QCOMPARE(controls.label2, "本棚ﾃﾞｰﾀ格納ﾊﾟｽ >> " + f.shelf);
        QCOMPARE(controls.window.caption, QStringLiteral("本棚"));
        QCOMPARE(controls.icons.size(), 2);
        for (const ShelfIcon& icon : controls.icons) {
            QVERIFY(!icon.visible);
            QCOMPARE(icon.caption, QStringLiteral("登録なし"));
        }
        QVERIFY(!controls.vscroll1.enabled);
        QVERIFY(!controls.shape1.visible);
        QVERIFY(!controls.text1.visible);
        QVERIFY(!controls.button(10).enabled);
        QVERIFY(!controls.button(11).enabled);
        QCOMPARE(controls.fontNames.value("StatusBar1"), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(controls.fontNames.value("Label1"), QStringLiteral("ＭＳ Ｐゴシック"));
    }

    void threeBooksShowTheirIcons()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(3);
        Form6& form = f.open();
        const Form6Controls& controls = form.controls();
        QCOMPARE(controls.panel(1), QStringLiteral("登録本数 3 冊"));
        QCOMPARE(form.entries(), entries);
        QCOMPARE(form.loadedCount(), 3);
        QCOMPARE(form.shelfFolder(), f.shelf);
        for (int i = 0; i < 3; ++i) {
            const ShelfIcon& icon = controls.icons.at(i);
            QVERIFY(icon.visible);
            QCOMPARE(icon.caption, entries.at(i).title);
            QCOMPARE(icon.toolTip, entries.at(i).title + " [ラベル名：" + entries.at(i).volumeLabel +
                                       "] パス：" + entries.at(i).bookPath);
            QCOMPARE(f.iconColor(i), ShelfFixture::colorOf(entries.at(i).thumbnailFile));
        }
        // The first row starts two cells in.
        QCOMPARE(controls.icons.at(0).image, QRect(287 + 23, 10, 105, 129));
        QCOMPARE(controls.icons.at(1).image, QRect(431 + 23, 10, 105, 129));
        QCOMPARE(controls.icons.at(2).image, QRect(23, 163, 105, 129));
        QCOMPARE(controls.icons.at(2).label, QRect(7, 163 + 129, 137, 24));
        QCOMPARE(form.columnsPerRow(), 4);
        QCOMPARE(controls.picture2, QRect(0, 0, 580, 170 + 153));
        QCOMPARE(controls.picture1, QRect(0, 30 + 17, 580, 333));
        QCOMPARE(controls.label2Geometry, QRect(0, 30, 597, 17));
        QCOMPARE(controls.vscroll1.geometry, QRect(580, 47, 17, 333));
        QCOMPARE(controls.vscroll1.smallChange, 153);
        QCOMPARE(controls.vscroll1.largeChange, 333);
        QVERIFY(!controls.vscroll1.enabled);
    }

    void missingOrDamagedThumbnailsGetThePlaceholder()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(3);
        QFile::remove(f.shelf + "/0ruv.bmp");
        f.platform().pictures.damaged.insert("1ruv.bmp");
        Form6& form = f.open();
        const QImage placeholder = form.controls().image2;
        QCOMPARE(placeholder.size(), QSize(32, 32));
        QCOMPARE(form.controls().icons.at(0).picture, placeholder);
        QCOMPARE(form.controls().icons.at(1).picture, placeholder);
        QCOMPARE(f.iconColor(2), ShelfFixture::colorOf("2ruv.bmp"));
        // The missing one was never handed to the decoder.
        QVERIFY(!f.platform().pictures.decoded.contains(f.shelf + "/0ruv.bmp"));
    }

    void windowOpensForEveryMalformedShelfFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("count");
        // Whether the window tells that the file was not fully understood.
        QTest::addColumn<bool>("told");
        QTest::newRow("missing file") << QByteArray() << false << 0 << false;
        QTest::newRow("empty file") << QByteArray() << true << 0 << true;
        QTest::newRow("count not a number")
            << QByteArray("x\r\nL\r\n/p\r\nT\r\n0ruv.bmp\r\n") << true << 1 << true;
        QTest::newRow("file ends early") << QByteArray(" 3 \r\nL\r\n/p\r\n") << true << 0 << true;
        QTest::newRow("count past the table") << QByteArray("9999\r\n") << true << 0 << true;
        QTest::newRow("thumbnail outside the folder")
            << QByteArray(" 1 \r\nL\r\n/p\r\nT\r\n../../x.bmp\r\n") << true << 1 << false;
    }
    void windowOpensForEveryMalformedShelfFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(int, count);
        QFETCH(bool, told);
        ShelfFixture f;
        if (exists)
            writeBytes(f.shelf + "/Hondana.ruv", content);
        Form6& form = f.open();
        QCOMPARE(form.entryCount(), count);
        QCOMPARE(form.controls().panel(1), QStringLiteral("登録本数 %1 冊").arg(count));
        QCOMPARE(form.controls().icons.size(), std::max(2, count));
        for (int i = 0; i < count; ++i) {
            QVERIFY(form.controls().icons.at(i).visible);
            QCOMPARE(form.controls().icons.at(i).picture, form.controls().image2);
        }
        // Opening and closing alone writes nothing and asks nothing.
        form.Form_Unload();
        QCOMPARE(f.messages().shown.size(), told ? 1 : 0);
        if (told)
            QCOMPARE(f.messages().shown.at(0).title, QStringLiteral("本棚データファイルの確認"));
        QCOMPARE(QFile::exists(f.shelf + "/Hondana.ruv"), exists);
    }

    void windowSettingsAreReadAtLoadAndWrittenAtUnload_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("written");
        QTest::newRow("normal") << 0 << true;
        QTest::newRow("maximised") << 2 << true;
        QTest::newRow("minimised") << 1 << false;
    }
    void windowSettingsAreReadAtLoadAndWrittenAtUnload()
    {
        QFETCH(int, state);
        QFETCH(bool, written);
        ShelfFixture f;
        f.makeShelf(1);
        f.platform().settings.set("subbotan", "2");
        f.platform().settings.set("subsizew", "12000");
        f.platform().settings.set("subsizeh", "7000.4");
        Form6& form = f.open();
        WindowState& window = form.controls().window;
        QCOMPARE(window.state, 2);
        QCOMPARE(window.width, 12000);
        QCOMPARE(window.height, 7000);

        f.platform().settings.writes.clear();
        window.state = state;
        window.width = 13005;
        window.height = 6015;
        form.Form_Unload();
        if (written)
            QCOMPARE(f.platform().settings.writes,
                     QStringList({"Dudado/startup/subsizew=13005", "Dudado/startup/subsizeh=6015",
                                  "Dudado/startup/subbotan=" + QString::number(state)}));
        else
            QVERIFY(f.platform().settings.writes.isEmpty());
    }

    void defaultWindowSettings()
    {
        ShelfFixture f;
        Form6& form = f.open();
        QCOMPARE(form.controls().window.state, 0);
        QCOMPARE(form.controls().window.width, 9100);
        QCOMPARE(form.controls().window.height, 6000);
    }

    void smallWindowSpringsBack()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        WindowState& window = form.controls().window;
        window.width = 9000;
        form.Form_Resize();
        QCOMPARE(window.width, 9100);
        window.height = 2000;
        form.Form_Resize();
        QCOMPARE(window.height, 3000);
        window.width = 20000;
        form.Form_Resize();
        QCOMPARE(window.width, 20000);
    }

    void minimisedWindowIsNotLaidOut()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.open();
        const QRect before = form.controls().icons.at(2).image;
        form.controls().window.state = 1;
        f.resize(0, 0);
        QCOMPARE(form.controls().icons.at(2).image, before);
        form.controls().window.state = 0;
        // A canvas too narrow for one cell is left as it was too.
        f.resize(100, 300);
        QCOMPARE(form.controls().icons.at(2).image, before);
    }

    void layoutFollowsTheWidth()
    {
        ShelfFixture f;
        f.makeShelf(7);
        Form6& form = f.open(1000, 200);
        // 287, 431, 575 and 719 fit a canvas of 1000 (863 + 144 >= 1000 wraps).
        QCOMPARE(form.columnsPerRow(), 6);
        QCOMPARE(form.controls().icons.at(4).image.topLeft(), QPoint(23, 163));
        QCOMPARE(form.controls().vscroll1.maximum, 170 + 153 - 200);
        QVERIFY(form.controls().vscroll1.enabled);
        f.resize(580, 200);
        QCOMPARE(form.columnsPerRow(), 4);
        QCOMPARE(form.controls().icons.at(6).image.topLeft(), QPoint(23, 316));
    }

    void closingAsksOnlyAfterAChange()
    {
        ShelfFixture f;
        f.makeShelf(2);
        f.open().Form_Unload();
        QVERIFY(f.messages().shown.isEmpty());
        QVERIFY(f.form->isUnloaded());
    }
};

QTEST_GUILESS_MAIN(TestForm6Loading)
#include "tst_form6_loading.moc"
