#include "browse/ui/folder_tree_model.h"

#include "platform/file_services.h"

#include <QApplication>
#include <QStyle>

namespace ruvo {

FolderTreeModel::FolderTreeModel(const FileServices& files, const Books& books, QObject* parent)
    : QAbstractItemModel(parent), m_files(files), m_tree(files, books),
      m_folderIcon(QApplication::style()->standardIcon(QStyle::SP_DirIcon)),
      m_archiveIcon(QStringLiteral(":/icons/archive_book.svg"))
{
}

void FolderTreeModel::setRoot(const QString& root)
{
    beginResetModel();
    m_tree.setRoot(root);
    endResetModel();
}

QModelIndex FolderTreeModel::indexOf(const QString& folder)
{
    FolderTree::Node node = m_tree.find(folder);
    // A folder made since its parent was read (a new shelf folder, say): the tree is read anew,
    // once for that folder, so that one the tree never lists (a hidden one) costs no reading at
    // every look.
    if (node == FolderTree::None && folder != m_rereadFor && m_files.entryKind(folder)) {
        m_rereadFor = folder;
        const QString root = m_tree.root();
        setRoot(root);
        node = m_tree.find(folder);
    }
    return node == FolderTree::None ? QModelIndex() : indexOfNode(node);
}

QString FolderTreeModel::pathOf(const QModelIndex& index) const
{
    return index.isValid() ? m_tree.path(nodeOf(index)) : QString();
}

FolderTree::Node FolderTreeModel::nodeOf(const QModelIndex& index) const
{
    return FolderTree::Node(index.internalId());
}

QModelIndex FolderTreeModel::indexOfNode(FolderTree::Node node) const
{
    return createIndex(m_tree.row(node), 0, quintptr(node));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, 0, quintptr(0)) : QModelIndex();
    const QList<FolderTree::Node>& children = m_tree.children(nodeOf(parent));
    return row < children.size() ? createIndex(row, 0, quintptr(children.at(row))) : QModelIndex();
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const FolderTree::Node up = m_tree.parent(nodeOf(child));
    return up == FolderTree::None ? QModelIndex() : indexOfNode(up);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    return parent.column() == 0 ? int(m_tree.children(nodeOf(parent)).size()) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    return !parent.isValid() || m_tree.mayHaveChildren(nodeOf(parent));
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_tree.label(nodeOf(index));
    if (role == Qt::DecorationRole)
        return m_tree.isArchive(nodeOf(index)) ? m_archiveIcon : m_folderIcon;
    return {};
}

} // namespace ruvo
