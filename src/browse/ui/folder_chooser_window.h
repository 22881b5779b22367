#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QListWidget;
class QTreeView;

namespace ruvo {

class FolderTreeModel;
class Form10;

// The shelf folder chooser on screen: drives, a folder tree and the folder's
// shelf file. Runs until the logic closes it.
class FolderChooserWindow : public QDialog
{
    Q_OBJECT

public:
    explicit FolderChooserWindow(Form10& logic, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void syncFromLogic();
    // Runs a step of the logic and closes the window when the logic has closed.
    void run(const std::function<void()>& step);

    Form10& m_logic;
    QComboBox* m_drives;
    FolderTreeModel* m_folders;
    QTreeView* m_tree;
    QListWidget* m_files;
    bool m_syncing = false;
};

} // namespace ruvo
