#include "support/fake_message_boxes.h"
#include "support/fake_shell.h"
#include "windows/drop_help_text.h"
#include "windows/ui/drop_help_window.h"
#include "windows/ui/mode_notice_window.h"
#include "windows/ui/splash_window.h"
#include "windows/ui/version_window.h"
#include "windows/version_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace ruvo;
using namespace Qt::StringLiterals;
using namespace ruvo::test;

class TestSmallWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropHelpListsItsLinesAndClosesItself_data()
    {
        QTest::addColumn<PageFormats>("formats");
        QTest::newRow("basic") << PageFormats::Basic;
        QTest::newRow("all") << PageFormats::All;
    }
    void dropHelpListsItsLinesAndClosesItself()
    {
        QFETCH(PageFormats, formats);
        QPointer<DropHelpWindow> window = new DropHelpWindow(formats, 0);
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("ドラッグ＆ドロップ"));
        // Wide enough for its title beside the title bar's buttons.
        QVERIFY(window->width() >= window->fontMetrics().horizontalAdvance(window->windowTitle()) + 150);
        QCOMPARE(window->findChild<QGroupBox*>()->title(), QStringLiteral("ドロップ対応ファイル"));
        QCOMPARE(window->findChild<QLabel*>()->text().split(QLatin1Char('\n')), dropHelpLines(formats));
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

    // The version window links the README installed with the program, opened by a click; a
    // desktop that cannot open it is said to; where none was installed, no page is named.
    void versionWindowOpensTheInstalledReadme_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("opens");
        QTest::newRow("installed") << true << true;
        QTest::newRow("nothing to open it with") << true << false;
        QTest::newRow("a build folder") << false << true;
    }
    void versionWindowOpensTheInstalledReadme()
    {
        QFETCH(bool, installed);
        QFETCH(bool, opens);
        QTemporaryDir prefix;
        QVERIFY(QDir().mkpath(prefix.filePath(u"bin"_s)));
        if (installed) {
            QVERIFY(QDir().mkpath(prefix.filePath(u"share/doc/ruvo"_s)));
            QFile readme(prefix.filePath(u"share/doc/ruvo/README.md"_s));
            QVERIFY(readme.open(QIODevice::WriteOnly));
        }
        const QString address = VersionText::readmeAddress(prefix.filePath(u"bin"_s));
        QCOMPARE(address.isEmpty(), !installed);
        if (installed)
            QCOMPARE(QUrl(address).toLocalFile(),
                     QFileInfo(prefix.filePath(u"share/doc/ruvo/README.md"_s)).canonicalFilePath());
        FakeShell shell;
        shell.opens = opens;
        FakeMessageBoxes messages;
        VersionWindow window(shell, messages, address);
        QCOMPARE(window.windowTitle(), QStringLiteral("バージョン情報"));
        QStringList texts;
        for (QLabel* label : window.findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY(texts.contains(QStringLiteral("Ruvo Ver2.04")));
        QPushButton* link = nullptr;
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == address)
                link = button;
        }
        QVERIFY(link);
        QCOMPARE(link->isVisibleTo(&window), installed);
        if (!installed)
            return;
        link->click();
        QCOMPARE(shell.opened, QStringList{address});
        QCOMPARE(messages.shown.size(), opens ? 0 : 1);
        if (!opens)
            QVERIFY(messages.shown.first().text.contains(address));
    }
};

QTEST_MAIN(TestSmallWindows)
#include "tst_small_windows.moc"
