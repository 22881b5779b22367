#include "commands/key_map.h"
#include "commands/key_texts.h"

#include <QSet>
#include <QTest>

using namespace ruvo;

class TestKeyMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void actions_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("action");
        QTest::newRow("space") << 32 << int(KeyAction::NextPage);
        QTest::newRow("page down") << 34 << int(KeyAction::NextPage);
        QTest::newRow("page up") << 33 << int(KeyAction::PreviousPage);
        QTest::newRow("x") << 88 << int(KeyAction::Quit);
        QTest::newRow("up") << 38 << int(KeyAction::ScrollUp);
        QTest::newRow("keypad 8") << 104 << int(KeyAction::ScrollUp);
        QTest::newRow("down") << 40 << int(KeyAction::ScrollDown);
        QTest::newRow("keypad 2") << 98 << int(KeyAction::ScrollDown);
        QTest::newRow("left") << 37 << int(KeyAction::ScrollLeft);
        QTest::newRow("keypad 4") << 100 << int(KeyAction::ScrollLeft);
        QTest::newRow("right") << 39 << int(KeyAction::ScrollRight);
        QTest::newRow("keypad 6") << 102 << int(KeyAction::ScrollRight);
        QTest::newRow("f1") << 112 << int(KeyAction::Help);
        QTest::newRow("f11") << 122 << int(KeyAction::FullScreen);
        QTest::newRow("escape") << 27 << int(KeyAction::LeaveFullScreen);
        QTest::newRow("f12 does nothing") << 123 << int(KeyAction::None);
        QTest::newRow("enter does nothing here") << 13 << int(KeyAction::None);
        QTest::newRow("home") << 36 << int(KeyAction::FirstPages);
        QTest::newRow("end") << 35 << int(KeyAction::LastPages);
        QTest::newRow("]") << 221 << int(KeyAction::NextBook);
        QTest::newRow("[") << 219 << int(KeyAction::PreviousBook);
        QTest::newRow("insert does nothing") << 45 << int(KeyAction::None);
        QTest::newRow("keypad 5 does nothing") << 101 << int(KeyAction::None);
    }
    void actions()
    {
        QFETCH(int, code);
        QTEST(int(keyActionFor(code)), "action");
    }

    void qtKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << 32;
        QTest::newRow("shift+space is space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << 32;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 0 << 33;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << 34;
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << 37;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << 38;
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << 39;
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 40;
        QTest::newRow("x and X alike") << int(Qt::Key_X) << int(Qt::ShiftModifier) << 88;
        QTest::newRow("keypad 2 with num lock") << int(Qt::Key_2) << int(Qt::KeypadModifier) << 98;
        QTest::newRow("keypad 4") << int(Qt::Key_4) << int(Qt::KeypadModifier) << 100;
        QTest::newRow("keypad 6") << int(Qt::Key_6) << int(Qt::KeypadModifier) << 102;
        QTest::newRow("keypad 8") << int(Qt::Key_8) << int(Qt::KeypadModifier) << 104;
        QTest::newRow("keypad arrow without num lock") << int(Qt::Key_Up) << int(Qt::KeypadModifier) << 38;
        QTest::newRow("digit row 8 is not the keypad") << int(Qt::Key_8) << 0 << 0;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << 27;
        QTest::newRow("f1") << int(Qt::Key_F1) << 0 << 112;
        QTest::newRow("f11") << int(Qt::Key_F11) << 0 << 122;
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << 36;
        QTest::newRow("keypad home without num lock") << int(Qt::Key_Home) << int(Qt::KeypadModifier) << 36;
        QTest::newRow("end") << int(Qt::Key_End) << 0 << 35;
        QTest::newRow("[") << int(Qt::Key_BracketLeft) << 0 << 219;
        QTest::newRow("]") << int(Qt::Key_BracketRight) << 0 << 221;
    }

    // The texts that name a key name each key of the table by a name of its own.
    void everyKeyOfTheTableHasItsOwnName()
    {
        QSet<QString> caps;
        int mapped = 0;
        for (int code = 1; code < 256; ++code) {
            if (keyActionFor(code) == KeyAction::None)
                continue;
            ++mapped;
            const QString cap = keyName(code);
            QVERIFY2(!cap.isEmpty(), qPrintable(QString::number(code)));
            QVERIFY2(!caps.contains(cap), qPrintable(cap));
            caps.insert(cap);
        }
        QCOMPARE(mapped, int(keyTable().size()));
        QCOMPARE(keyName(KeyCode::BracketRight), QStringLiteral("]"));
    }
    void qtKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTEST(virtualKeyCode(key, Qt::KeyboardModifiers(modifiers)), "code");
    }
};

QTEST_GUILESS_MAIN(TestKeyMap)
#include "tst_key_map.moc"
