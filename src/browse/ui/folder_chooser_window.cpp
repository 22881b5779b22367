#include "browse/ui/folder_chooser_window.h"

#include "browse/form10.h"
#include "browse/ui/folder_tree_model.h"
#include "common/line_breaks.h"
#include "platform/paths.h"
#include "platform/ui/named_font.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

namespace ruvo {

using namespace Qt::StringLiterals;

FolderChooserWindow::FolderChooserWindow(Form10& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setWindowTitle(Form10::caption());
    setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));

    auto* instruction = new QLabel(Form10::label1(), this);
    m_drives = new QComboBox(this);
    m_folders = new FolderTreeModel(logic.fileServices(), logic.books(), this);
    m_tree = new QTreeView(this);
    m_tree->setModel(m_folders);
    m_tree->header()->hide();
    auto* heading = new QLabel(Form10::label3(), this);
    m_files = new QListWidget(this);
    m_files->setMaximumHeight(m_files->fontMetrics().height() * 3);
    auto* note = new QLabel(withLineBreaks(logic.label2()), this);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    auto* newFolder = new QPushButton(u"ﾌｫﾙﾀﾞ作成"_s, this);
    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);

    auto* side = new QVBoxLayout;
    side->addWidget(heading);
    side->addWidget(m_files);
    side->addSpacing(12);
    side->addWidget(note);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newFolder);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(instruction, 0, 0, 1, 2);
    layout->addWidget(m_drives, 1, 0);
    layout->addWidget(m_tree, 2, 0);
    layout->addLayout(side, 1, 1, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    resize(640, 440);

    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        run([this, drive = m_drives->itemText(index)] { m_logic.Drive1_Change(drive); });
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && current.isValid())
                    run([this, path = m_folders->pathOf(current)] { m_logic.Dir1_Change(path); });
            });
    connect(m_files, &QListWidget::itemDoubleClicked, this,
            [this] { run([this] { m_logic.File1_DblClick(); }); });
    connect(ok, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command1_Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command2_Click(); }); });
    connect(newFolder, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command3_Click(); }); });

    syncFromLogic();
    m_tree->setFocus();
}

void FolderChooserWindow::run(const std::function<void()>& step)
{
    step();
    if (!m_logic.isOpen()) {
        accept();
        return;
    }
    syncFromLogic();
}

void FolderChooserWindow::syncFromLogic()
{
    m_syncing = true;
    m_drives->clear();
    m_drives->addItems(m_logic.drives());
    m_drives->setCurrentText(m_logic.drive());
    if (m_folders->root() != folderPathForm(m_logic.drive()))
        m_folders->setRoot(m_logic.drive());
    const QModelIndex index = m_folders->indexOf(m_logic.folder());
    if (index.isValid()) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index);
        m_tree->expand(index);
    }
    m_files->clear();
    m_files->addItems(m_logic.files());
    m_syncing = false;
}

void FolderChooserWindow::closeEvent(QCloseEvent* event)
{
    m_logic.Form_Unload();
    QDialog::closeEvent(event);
}

void FolderChooserWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        run([this] { m_logic.Command2_Click(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ruvo
