#include "support/fake_shell.h"
#include "windows/drop_help_text.h"
#include "windows/ui/drop_help_window.h"
#include "windows/ui/mode_notice_window.h"
#include "windows/ui/splash_window.h"
#include "windows/ui/version_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ruvo;
using namespace ruvo::test;

class TestSmallWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropHelpListsNineLinesAndClosesItself()
    {
        QCOMPARE(dropHelpLines(),
                 QStringList({"BMPファイル", "JPGファイル", "JPEGファイル", "GIFファイル", "ICOファイル",
                              "WMFファイル", "EMFファイル", "フォルダ", "ドライブ"}));
        QPointer<DropHelpWindow> window = new DropHelpWindow(0);
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("ドラッグ＆ドロップ"));
        // Wide enough for its title beside the title bar's buttons.
        QVERIFY(window->width() >= window->fontMetrics().horizontalAdvance(window->windowTitle()) + 150);
        QCOMPARE(window->findChild<QGroupBox*>()->title(), QStringLiteral("ドロップ対応ファイル"));
        QCOMPARE(window->findChild<QLabel*>()->text().split(QLatin1Char('\n')), dropHelpLines());
        // It closes and deletes itself on its timer.
        QTRY_VERIFY(window.isNull());
    }

    // The splash says once that it is on screen, drawn, and its timer fires once after that:
    // the rest of the start-up goes on behind it in between.
    void splashSaysWhenItIsDrawnThenHandsOver()
    {
        SplashWindow splash(30);
        QList<QString> events;
        connect(&splash, &SplashWindow::drawn, this, [&events] { events.append(QStringLiteral("drawn")); });
        connect(&splash, &SplashWindow::timerElapsed, this,
                [&events] { events.append(QStringLiteral("timer")); });
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.repaint();
        QTRY_COMPARE(events, QList<QString>({QStringLiteral("drawn"), QStringLiteral("timer")}));
        splash.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(events, QList<QString>({QStringLiteral("drawn"), QStringLiteral("timer")}));
    }

    void modeNoticesCloseThemselves_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("one page") << int(ModeNoticeWindow::Mode::OnePage) << "一面表示モードに切り替え中・・";
        QTest::newRow("two pages") << int(ModeNoticeWindow::Mode::TwoPages)
                                   << "二面表示モードに切り替え中・・";
    }
    void modeNoticesCloseThemselves()
    {
        QFETCH(int, mode);
        ModeNoticeWindow notice(ModeNoticeWindow::Mode(mode), 0);
        QCOMPARE(notice.windowTitle(), QStringLiteral("画面表示モード切り替え"));
        QTEST(notice.findChild<QLabel*>()->text(), "text");
        // exec() returns by the notice's own timer.
        QCOMPARE(notice.exec(), int(QDialog::Accepted));
    }

    void versionWindowOpensThePageAddress()
    {
        FakeShell shell;
        VersionWindow window(shell);
        QCOMPARE(window.windowTitle(), QStringLiteral("バージョン情報"));
        QStringList texts;
        for (QLabel* label : window.findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY(texts.contains(QStringLiteral("Ruvo Ver2.04")));
        QPushButton* address = nullptr;
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text().startsWith(QLatin1String("http")))
                address = button;
        }
        QVERIFY(address);
        address->click();
        QCOMPARE(shell.opened, QStringList{address->text()});
    }
};

QTEST_MAIN(TestSmallWindows)
#include "tst_small_windows.moc"
