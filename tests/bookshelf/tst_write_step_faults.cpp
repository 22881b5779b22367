// Every step that changes the disk, failed in turn: registering a book, saving
// an edited shelf, making a new shelf with the folder chooser and the main
// window's shutdown are each run once for every step until a run passes. After
// a failed run the shelf file is its old or its complete new self, every
// thumbnail it names is there, nothing outside the shelf changed, the record
// file names a shelf, and the user was told. Shutdown writes only the window
// settings, each setting its old or its new value; the settings store reports
// no failure, so nothing is told there.
#include "bookshelf/form5.h"
#include "bookshelf/form6.h"
#include "bookshelf/shelf_file.h"
#include "browse/form10.h"
#include "browse/form11.h"
#include "browse/form2.h"
#include "commands/key_map.h"
#include "platform/ini_settings_service.h"
#include "session/settings_store.h"
#include "support/file_bytes.h"
#include "support/folder_snapshot.h"
#include "support/test_platform.h"
#include "support/write_fault.h"
#include "viewer/form1.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <set>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

enum class Scenario
{
    Register,
    Rename,
    Delete,
    Sort,
    NewShelf,
    Shutdown,
};

const QString shelfName = u"shelf"_s;
const QString newShelfName = u"新しい本棚"_s;
const QString recordName = u"program/defruv.ini"_s;
const QString settingsName = u"config/Dudado/Dudado.ini"_s;

// One run of a scenario in a world rebuilt from nothing at the same paths, so
// that two runs that go alike write alike bytes.
class Run
{
public:
    Run(const QString& root, Scenario scenario, int failingStep) : m_root(root)
    {
        QDir(root).removeRecursively();
        build();
        before = snapshotOf(root);
        act(scenario, failingStep);
        struck = WriteFault::struck();
        WriteFault::failStep(0);
        after = snapshotOf(root);
    }

    FolderSnapshot before;
    FolderSnapshot after;
    bool struck = false;
    QList<FakeMessageBoxes::Shown> messages;
    // The books the bookshelf window still holds, in the scenarios that open it.
    QList<ShelfEntry> keptEntries;

private:
    QString path(const QString& name) const { return m_root + u'/' + name; }

    void build()
    {
        for (const QString& folder : {shelfName, u"program"_s, u"books/b1"_s, u"books/b2"_s, u"books/b3"_s,
                                      u"books/b4"_s, u"other"_s, u"config/Dudado"_s})
            QDir().mkpath(path(folder));
        QList<ShelfEntry> entries;
        for (int i = 0; i < 3; ++i) {
            const QString thumbnail = QString::number(i) + u"ruv.bmp"_s;
            putFileBytes(path(shelfName + u'/' + thumbnail), "BM thumbnail " + QByteArray::number(i));
            entries.append(
                {u"VOL"_s, path(u"books/b%1/p1.jpg"_s.arg(i + 1)), u"本 %1"_s.arg(3 - i), thumbnail});
        }
        for (int i = 1; i <= 4; ++i)
            putFileBytes(path(u"books/b%1/p1.jpg"_s.arg(i)), "page");
        putFileBytes(path(u"other/notes.txt"_s), "the user's own file");
        LocalFileServices files;
        QVERIFY(writeShelfFile(files, path(shelfName), entries));
        QVERIFY(files.writeLines(path(recordName), {path(shelfName)}));
        // What a previous session left of the main window's settings.
        IniSettingsService service;
        SettingsStore settings(service);
        settings.writeNumber(Setting::backgroundColour, 255);
        settings.writeNumber(Setting::viewerWidth, 9000);
        settings.writeNumber(Setting::viewerHeight, 7000);
        settings.writeText(Setting::viewerWindowState, u"0"_s);
    }

    void act(Scenario scenario, int failingStep)
    {
        TestPlatform p;
        LocalFileServices files(WriteFault::calls());
        IniSettingsService iniSettings(WriteFault::calls());
        SettingsService& settings =
            scenario == Scenario::Shutdown ? static_cast<SettingsService&>(iniSettings) : p.settings;
        const Platform platform{p.messages, p.modal, files,      settings, p.process, p.random,
                                p.shell,    p.books, p.pictures, p.pages,  p.delays,  p.pointer};
        ViewerState state;
        state.programFolder = path(u"program"_s);
        state.shelfFolder = path(shelfName);
        Form2 browser(platform);
        Form1 viewer(platform, state, browser);
        browser.setBookOpener(&viewer);
        p.messages.answers = {MessageAnswer::Yes};

        switch (scenario) {
        case Scenario::Register: {
            state.shownPagePath = path(u"books/b4/p1.jpg"_s);
            state.shownVolumeLabel = u"VOL"_s;
            Form5 form(platform, state);
            form.Form_Load();
            WriteFault::failStep(failingStep);
            form.Command1_Click();
            break;
        }
        case Scenario::Rename:
        case Scenario::Delete:
        case Scenario::Sort: {
            Form6 form(platform, state, viewer);
            form.Form_Load();
            edit(form, scenario);
            WriteFault::failStep(failingStep);
            form.OWAR();
            keptEntries = form.entries();
            break;
        }
        case Scenario::NewShelf: {
            Form10 chooser(platform, state);
            chooser.Form_Load(m_root);
            Form11 naming(platform, chooser);
            naming.Form_Load();
            naming.setText1(newShelfName);
            WriteFault::failStep(failingStep);
            naming.Command1_Click();
            if (!naming.isOpen())
                chooser.Command1_Click();
            break;
        }
        case Scenario::Shutdown: {
            viewer.Form_Load();
            WindowState& window = viewer.controls().window;
            window.width = window.scaleWidth = 12000;
            window.height = window.scaleHeight = 8000;
            viewer.Form_Resize();
            WriteFault::failStep(failingStep);
            viewer.Form_Unload();
            break;
        }
        }
        messages = p.messages.shown;
    }

    static void edit(Form6& form, Scenario scenario)
    {
        if (scenario == Scenario::Sort) {
            form.NARABE();
            return;
        }
        form.iconMouseDown(1, Qt::LeftButton);
        if (scenario == Scenario::Delete) {
            form.SAKJYO();
            return;
        }
        form.DAIMEY();
        form.Text1_Change(u"改題した本"_s);
        form.Text1_KeyDown(KeyCode::Enter);
    }

    QString m_root;
};

bool inShelfFolder(const QString& path)
{
    const QString folder = QFileInfo(path).path();
    return folder == shelfName || folder == newShelfName;
}

} // namespace

Q_DECLARE_METATYPE(Scenario)

class TestWriteStepFaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString root() const { return m_dir.path() + u"/world"_s; }

    // A failed run against the run that passed: each file the old or the new one.
    void checkFailedRun(const Run& run, const Run& passed)
    {
        std::set<QString> paths;
        for (const FolderSnapshot* snapshot : {&run.before, &run.after, &passed.after})
            for (const auto& entry : *snapshot)
                paths.insert(entry.first);
        const ShelfReading kept = readShelfFile(LocalFileServices(), root() + u'/' + shelfName);
        QSet<QString> named;
        for (const ShelfEntry& entry : kept.entries)
            named.insert(entry.thumbnailFile);
        for (const QString& path : paths) {
            const std::optional<QByteArray> old = entryOf(run.before, path);
            const std::optional<QByteArray> now = entryOf(run.after, path);
            const std::optional<QByteArray> complete = entryOf(passed.after, path);
            const QString name = QFileInfo(path).fileName();
            if (path == settingsName) {
                // Each setting is a write of its own: each line is its old or its new self.
                const QList<QByteArray> lines = now.value_or(QByteArray()).split('\n');
                QCOMPARE(lines.size(), complete->split('\n').size());
                for (const QByteArray& line : lines)
                    QVERIFY2(old->split('\n').contains(line) || complete->split('\n').contains(line),
                             line.constData());
            } else if (path == recordName || path == newShelfName || name == shelfFileName()) {
                QVERIFY2(now == old || now == complete, qPrintable(path));
            } else if (inShelfFolder(path)) {
                // A thumbnail is never rewritten, and none is left that the shelf does not name.
                if (now && old)
                    QVERIFY2(now == old, qPrintable(path));
                else if (now)
                    QVERIFY2(named.contains(name) && now == complete, qPrintable(path));
            } else {
                QVERIFY2(now == old, qPrintable(path));
            }
        }
        for (const QString& name : named)
            QVERIFY2(QFile::exists(root() + u'/' + shelfName + u'/' + name), qPrintable(name));
        for (const ShelfEntry& entry : run.keptEntries)
            QVERIFY2(QFile::exists(root() + u'/' + shelfName + u'/' + entry.thumbnailFile),
                     qPrintable(entry.thumbnailFile));

        const std::optional<QStringList> record = LocalFileServices().readLines(root() + u'/' + recordName);
        QVERIFY(record);
        QCOMPARE(record->size(), 1);
        QVERIFY2(QFile::exists(record->constFirst() + u'/' + shelfFileName()),
                 qPrintable(record->constFirst()));
    }

    static bool reportedFailure(const Run& run)
    {
        for (const FakeMessageBoxes::Shown& shown : run.messages) {
            if (shown.buttons == MessageButtons::Ok)
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The main window's settings go to the world's own configuration folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root() + u"/config"_s));
    }

    void everyStepFails_data()
    {
        QTest::addColumn<Scenario>("scenario");
        // The steps a run takes when nothing fails: every write is create, write, sync,
        // close, rename and a sync of its folder.
        QTest::addColumn<int>("steps");
        QTest::newRow("registering a book") << Scenario::Register << 12;
        QTest::newRow("saving a renamed book") << Scenario::Rename << 6;
        QTest::newRow("saving after a deletion") << Scenario::Delete << 7;
        QTest::newRow("saving a sorted shelf") << Scenario::Sort << 6;
        QTest::newRow("a new shelf in a new folder") << Scenario::NewShelf << 13;
        QTest::newRow("the main window's shutdown") << Scenario::Shutdown << 24;
    }
    void everyStepFails()
    {
        QFETCH(Scenario, scenario);
        QFETCH(int, steps);
        const Run passed(root(), scenario, 0);
        QVERIFY(!reportedFailure(passed));
        QVERIFY(passed.after != passed.before);

        int step = 1;
        for (;; ++step) {
            const Run run(root(), scenario, step);
            if (!run.struck) {
                QCOMPARE(run.after, passed.after);
                QVERIFY(!reportedFailure(run));
                break;
            }
            checkFailedRun(run, passed);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"step %1"_s.arg(step)));
            // The window settings cannot report a failure; everything else tells the user.
            if (scenario != Scenario::Shutdown)
                QVERIFY2(reportedFailure(run), qPrintable(u"step %1 failed silently"_s.arg(step)));
        }
        QCOMPARE(step - 1, steps);
    }
};

QTEST_GUILESS_MAIN(TestWriteStepFaults)
#include "tst_write_step_faults.moc"
