#include "bookshelf/form5.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/ui/register_window.h"
#include "session/viewer_state.h"
#include "support/test_platform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

class TestRegisterWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedTitleIsRegisteredWithEnter()
    {
        QTemporaryDir dir;
        TestPlatform platform;
        ViewerState state;
        state.shelfFolder = dir.path();
        state.shownPagePath = dir.path() + u"/page.jpg"_s;
        QFile page(state.shownPagePath);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        QVERIFY(createEmptyShelfFile(platform.files, dir.path()));
        Form5 logic(platform.platform(), state);
        logic.Form_Load();
        RegisterWindow window(logic);
        window.show();
        QCOMPARE(window.size(), QSize(393, 345));
        auto* title = window.findChild<QLineEdit*>();
        QVERIFY(title);
        QCOMPARE(title->text(), u"page.jpg"_s);
        title->clear();
        QTest::keyClicks(title, u"My book"_s);
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(platform.messages.shown.isEmpty());
        const ShelfReading reading = readShelfFile(platform.files, dir.path());
        QCOMPARE(reading.entries.size(), 1);
        QCOMPARE(reading.entries[0].title, u"My book"_s);
        QVERIFY(!window.isVisible());
    }

    void fullShelfDisablesOk()
    {
        QTemporaryDir dir;
        TestPlatform platform;
        ViewerState state;
        state.shelfFolder = dir.path();
        QVERIFY(writeShelfFile(platform.files, dir.path(), QList<ShelfEntry>(shelfBookLimit)));
        Form5 logic(platform.platform(), state);
        logic.Form_Load();
        RegisterWindow window(logic);
        bool found = false;
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == u"OK"_s) {
                found = true;
                QVERIFY(!button->isEnabled());
            }
        }
        QVERIFY(found);
        bool limitShown = false;
        for (QLabel* label : window.findChildren<QLabel*>())
            limitShown = limitShown || label->text().startsWith(u"登録上限の428冊を越えました\n"_s);
        QVERIFY(limitShown);
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_register_window.moc"
