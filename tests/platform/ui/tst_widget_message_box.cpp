#include "platform/ui/widget_message_box_service.h"
#include "windows/ui/japanese_standard_texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ruvo;
using namespace Qt::StringLiterals;

class TestWidgetMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(installJapaneseStandardTexts()); }

    // The program speaks Japanese, Qt's own buttons included.
    void buttonsSpeakJapanese_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("notice") << int(MessageButtons::Ok) << QStringList{u"OK"_s};
        QTest::newRow("question") << int(MessageButtons::YesNo)
                                  << QStringList{u"はい(&Y)"_s, u"いいえ(&N)"_s};
        QTest::newRow("cautious question")
            << int(MessageButtons::YesNoDefaultNo) << QStringList{u"はい(&Y)"_s, u"いいえ(&N)"_s};
    }
    void buttonsSpeakJapanese()
    {
        QFETCH(int, buttons);
        QFETCH(QStringList, texts);
        WidgetMessageBoxService service;
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (const QMessageBox::StandardButton button :
                 {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No}) {
                if (QAbstractButton* shownButton = box->button(button))
                    shown.append(shownButton->text());
            }
            box->reject();
        });
        service.show(u"本棚"_s, u"よろしいですか？"_s, MessageButtons(buttons));
        QCOMPARE(shown, texts);
    }

    // A name that looks like markup is shown as it is, line breaks as lines; a
    // notice has no icon, a question its own.
    void namesAreShownAsPlainText_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("icon");
        QTest::newRow("ok") << int(MessageButtons::Ok) << int(QMessageBox::Ok) << int(MessageAnswer::Ok)
                            << int(QMessageBox::NoIcon);
        QTest::newRow("yes") << int(MessageButtons::YesNo) << int(QMessageBox::Yes) << int(MessageAnswer::Yes)
                             << int(QMessageBox::Question);
        QTest::newRow("no") << int(MessageButtons::YesNo) << int(QMessageBox::No) << int(MessageAnswer::No)
                            << int(QMessageBox::Question);
        QTest::newRow("cautious yes") << int(MessageButtons::YesNoDefaultNo) << int(QMessageBox::Yes)
                                      << int(MessageAnswer::Yes) << int(QMessageBox::Question);
        QTest::newRow("cautious no") << int(MessageButtons::YesNoDefaultNo) << int(QMessageBox::No)
                                     << int(MessageAnswer::No) << int(QMessageBox::Question);
    }
    void namesAreShownAsPlainText()
    {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        QFETCH(int, icon);
        WidgetMessageBoxService service;
        int shownIcon = -1;
        QString shownText;
        Qt::TextFormat shownFormat = Qt::AutoText;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownText = box->text();
            shownFormat = box->textFormat();
            shownIcon = int(box->icon());
            box->button(QMessageBox::StandardButton(press))->click();
        });
        const MessageAnswer result =
            service.show("読み込み時のエラー", "<i>a.jpg &lt; b\r\nc.jpg\rd", MessageButtons(buttons));
        QCOMPARE(int(result), answer);
        QCOMPARE(shownFormat, Qt::PlainText);
        QCOMPARE(shownIcon, icon);
        QCOMPARE(shownText, QStringLiteral("<i>a.jpg &lt; b\nc.jpg\nd"));
    }

    // Enter takes the default button; Escape always answers No.
    void keysAnswerWithTheDefault_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("enter on a question")
            << int(MessageButtons::YesNo) << int(Qt::Key_Return) << int(MessageAnswer::Yes);
        QTest::newRow("escape on a question")
            << int(MessageButtons::YesNo) << int(Qt::Key_Escape) << int(MessageAnswer::No);
        QTest::newRow("enter on a cautious question")
            << int(MessageButtons::YesNoDefaultNo) << int(Qt::Key_Return) << int(MessageAnswer::No);
        QTest::newRow("escape on a cautious question")
            << int(MessageButtons::YesNoDefaultNo) << int(Qt::Key_Escape) << int(MessageAnswer::No);
    }
    void keysAnswerWithTheDefault()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, answer);
        WidgetMessageBoxService service;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(int(service.show("本棚", "よろしいですか？", MessageButtons(buttons))), answer);
    }
};

QTEST_MAIN(TestWidgetMessageBox)
#include "tst_widget_message_box.moc"
