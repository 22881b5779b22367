#include "platform/busy_pointer.h"
#include "platform/ui/window_busy_pointer.h"

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

using namespace ruvo;

class TestWindowBusyPointer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The window shows the busy pointer from the first guard until the last
    // one ends, and its own pointer again after.
    void nestedGuardsShowItOnce()
    {
        QWidget window;
        WindowBusyPointer pointer;
        pointer.setWindow(&window);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
        {
            const BusyPointer outer(pointer);
            QCOMPARE(window.cursor().shape(), Qt::BusyCursor);
            {
                const BusyPointer inner(pointer);
                QCOMPARE(window.cursor().shape(), Qt::BusyCursor);
            }
            QCOMPARE(window.cursor().shape(), Qt::BusyCursor);
        }
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    // A command that ends with an exception gives the pointer back as well.
    void anExceptionRestoresIt()
    {
        QWidget window;
        WindowBusyPointer pointer;
        pointer.setWindow(&window);
        try {
            const BusyPointer busy(pointer);
            throw std::runtime_error("failed");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    // Before the window exists (or after it has gone) the calls still pair up.
    void withoutAWindowNothingBreaks()
    {
        WindowBusyPointer pointer;
        pointer.setBusy();
        QWidget window;
        pointer.setWindow(&window);
        pointer.restore();
        pointer.restore();
        const BusyPointer busy(pointer);
        QCOMPARE(window.cursor().shape(), Qt::BusyCursor);
    }

    // The window system is brought up to date for a window on screen, which handles what
    // waits in the event queue; a window not yet on screen is left to be drawn once the
    // command has filled it.
    void waitsForTheWindowSystemOnlyForAWindowOnScreen_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("on screen") << true;
        QTest::newRow("not yet shown") << false;
    }

    void waitsForTheWindowSystemOnlyForAWindowOnScreen()
    {
        QFETCH(bool, shown);
        QWidget window;
        if (shown) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        WindowBusyPointer pointer;
        pointer.setWindow(&window);
        bool handled = false;
        QTimer::singleShot(0, &window, [&handled] { handled = true; });
        const BusyPointer busy(pointer);
        QCOMPARE(window.cursor().shape(), Qt::BusyCursor);
        QCOMPARE(handled, shown);
    }
};

QTEST_MAIN(TestWindowBusyPointer)
#include "tst_window_busy_pointer.moc"
