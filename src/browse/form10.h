#pragma once

#include "browse/drive_list.h"
#include "platform/platform.h"
#include "session/viewer_state.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace ruvo {

// The shelf folder chooser's logic: picks the folder of another shelf, or
// starts a new, empty shelf in a folder, and makes it the current shelf for
// this run and the next ones.
class Form10
{
public:
    Form10(Platform platform, ViewerState& state);

    // The files the chooser lists, for its folder tree.
    const FileServices& fileServices() const { return m_platform.files; }
    // The books, which tell the tree what is an archive.
    const Books& books() const { return m_platform.books; }

    // Opening: the folder list starts at the given folder (the process's own).
    void Form_Load(const QString& startFolder);

    // Drive list: the roots of the mounted volumes. A drive that cannot be
    // read is refused with a message and the folder list keeps its folder.
    QStringList drives() const;
    const QString& drive() const { return m_drives.current(); }
    // The drive list: chooses a drive and lists it; one that cannot be read is refused.
    bool Drive1_Change(const QString& drive);

    // Folder list: the folder to choose; changing it refills the file list.
    const QString& folder() const { return m_folder; }
    // The folder tree: chooses a folder and lists its shelf file, if it has one.
    void Dir1_Change(const QString& folder);

    // File list: the folder's shelf file, when it has one.
    const QStringList& files() const { return m_files; }

    // OK: switches to the folder's shelf, offering to start one there when it
    // has none. On success the chooser closes; any failure is reported and
    // leaves the current shelf as it was.
    // OK: makes the folder's shelf (started empty if need be) current, in the record file too, and closes.
    void Command1_Click();
    // A double click on the shelf file: as OK.
    void File1_DblClick() { Command1_Click(); }
    // Cancel and the title bar's close box change nothing.
    // Cancel: closes, changing nothing.
    void Command2_Click() { m_open = false; }
    // The close box: closes, changing nothing.
    void Form_Unload() { m_open = false; }
    // The new-folder window, shown modally over the chooser.
    void Command3_Click();

    bool isOpen() const { return m_open; }
    const QString& label2() const { return m_label2; }
    const QHash<QString, QString>& fontNames() const { return m_fontNames; }

    static QString caption();
    static QString label1();
    static QString label3();

private:
    void refreshFiles();
    void reportWriteFailure(const QString& folder);

    Platform m_platform;
    ViewerState& m_state;
    DriveList m_drives;
    QString m_folder;
    QStringList m_files;
    QString m_label2;
    QHash<QString, QString> m_fontNames;
    bool m_open = true;
};

} // namespace ruvo
