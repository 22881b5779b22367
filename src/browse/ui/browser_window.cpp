#include "browse/ui/browser_window.h"

#include "books/books.h"
#include "browse/form2.h"
#include "browse/ui/folder_tree_model.h"
#include "platform/paths.h"
#include "platform/readable_name.h"
#include "platform/ui/dropped_files.h"
#include "platform/ui/named_font.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

namespace ruvo {

using namespace Qt::StringLiterals;

BrowserWindow::BrowserWindow(Form2& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setWindowTitle(Form2::caption());
    setAcceptDrops(true);
    const QFont font = namedFont(u"ＭＳ Ｐゴシック"_s, this->font());
    setFont(font);

    m_drives = new QComboBox(this);
    m_drives->setToolTip(Form2::driveTip());
    m_folders = new FolderTreeModel(logic.fileServices(), logic.books(), this);
    m_tree = new QTreeView(this);
    m_tree->setModel(m_folders);
    m_tree->setToolTip(Form2::folderTip());
    m_tree->header()->hide();
    m_files = new QListWidget(this);
    m_count = new QLabel(this);
    m_previewCheck = new QCheckBox(Form2::previewCheckCaption(), this);
    m_preview = new QLabel(this);
    m_preview->setToolTip(Form2::previewTip());
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(240, 300);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setCursor(Qt::PointingHandCursor);
    m_preview->installEventFilter(this);
    m_preview->setAcceptDrops(true);
    m_ok = new QPushButton(u"OK"_s, this);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    auto* shell = new QPushButton(u"シェルを起動"_s, this);
    // Enter in the file list opens at that file; no button may take it too.
    for (QPushButton* button : {m_ok, cancel, shell})
        button->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_drives, 0, 0);
    layout->addWidget(m_tree, 1, 0, 2, 1);
    layout->addWidget(m_count, 0, 1);
    layout->addWidget(m_files, 1, 1, 2, 1);
    layout->addWidget(m_previewCheck, 0, 2);
    layout->addWidget(m_preview, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(shell);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 3);
    layout->setColumnStretch(2, 2);
    resize(900, 560);

    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        const QString drive = m_drives->itemText(index);
        run([this, drive] { m_logic.Drive1_Change(drive); });
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid())
                    run([this, path = m_folders->pathOf(current)] { m_logic.Dir1_Change(path); });
            });
    connect(m_files, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing && row >= 0)
            run([this, row] { m_logic.File1_Click(row); });
    });
    connect(m_files, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        run([this, row = m_files->row(item)] { m_logic.File1_DblClick(row); });
    });
    connect(m_previewCheck, &QCheckBox::toggled, this,
            [this](bool checked) { run([this, checked] { m_logic.Check1_Click(checked); }); });
    connect(m_ok, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command1_Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command2_Click(); }); });
    connect(shell, &QPushButton::clicked, this, [this] { m_logic.Command3_Click(); });
}

int BrowserWindow::exec()
{
    m_logic.setVisible(true);
    m_files->setToolTip(Form2::fileTip(m_logic.books().folderFormats()));
    syncFromLogic();
    m_files->setFocus();
    const int result = QDialog::exec();
    m_logic.setVisible(false);
    return result;
}

void BrowserWindow::run(const std::function<void()>& step)
{
    step();
    if (!m_logic.isVisible()) {
        accept();
        return;
    }
    syncFromLogic();
}

void BrowserWindow::syncFromLogic()
{
    m_syncing = true;
    m_drives->clear();
    m_drives->addItems(m_logic.drives());
    m_drives->setCurrentText(m_logic.drive());
    syncFolder();
    m_count->setText(m_logic.countText());
    QStringList names = m_logic.pages().names();
    for (QString& name : names)
        name = readableName(name);
    bool same = m_files->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = m_files->item(i)->text() == names.at(i);
    if (!same) {
        m_files->clear();
        m_files->addItems(names);
    }
    m_files->setCurrentRow(m_logic.pages().selectedIndex());
    {
        const QSignalBlocker blocker(m_previewCheck);
        m_previewCheck->setChecked(m_logic.previewOn());
    }
    m_preview->setEnabled(m_logic.previewOn());
    m_ok->setEnabled(m_logic.okEnabled());
    syncPreview();
    m_syncing = false;
}

void BrowserWindow::syncFolder()
{
    // The tree is the drive's; the open book's folder is found in it, read on the way.
    if (m_folders->root() != folderPathForm(m_logic.drive()))
        m_folders->setRoot(m_logic.drive());
    const QModelIndex index = m_folders->indexOf(m_logic.folder());
    if (!index.isValid())
        return;
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    m_tree->expand(index);
}

void BrowserWindow::syncPreview()
{
    const QImage& picture = m_logic.preview();
    if (picture.isNull()) {
        m_preview->clear();
        return;
    }
    const QSize box = m_preview->contentsRect().size() * devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio());
    m_preview->setPixmap(pixmap);
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preview && event->type() == QEvent::MouseButtonRelease) {
        run([this] { m_logic.Image1_Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void BrowserWindow::closeEvent(QCloseEvent* event)
{
    m_logic.Form_Unload();
    event->accept();
    QDialog::closeEvent(event);
}

void BrowserWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels as the button does: back to the book that was open.
    if (event->key() == Qt::Key_Escape) {
        run([this] { m_logic.Command2_Click(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void BrowserWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    syncPreview();
}

void BrowserWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void BrowserWindow::dropEvent(QDropEvent* event)
{
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    m_logic.dropFiles(paths);
    syncFromLogic();
}

} // namespace ruvo
