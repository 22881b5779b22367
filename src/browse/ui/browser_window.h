#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace ruvo {

class FolderTreeModel;
class Form2;

// The file browser on screen: drives, a folder tree, the folder's pages and a
// preview. Shown modally; the logic hides it by OK, Cancel or a double click.
class BrowserWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BrowserWindow(Form2& logic, QWidget* parent = nullptr);

    // Shows the logic's state and runs the dialog until the logic hides it.
    int exec() override;
    const Form2& logic() const { return m_logic; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncFromLogic();
    void syncFolder();
    void syncPreview();
    // Runs a step of the logic and closes the dialog when the logic hid it.
    void run(const std::function<void()>& step);

    Form2& m_logic;
    QComboBox* m_drives;
    FolderTreeModel* m_folders;
    QTreeView* m_tree;
    QListWidget* m_files;
    QLabel* m_count;
    QCheckBox* m_previewCheck;
    QLabel* m_preview;
    QPushButton* m_ok;
    bool m_syncing = false;
};

} // namespace ruvo
