#pragma once

#include "browse/folder_tree.h"

#include <QAbstractItemModel>
#include <QIcon>

namespace ruvo {

// The folder tree as a tree view shows it: one column of readable names with a folder icon (an
// archive book its own), a folder's own folders read when the view first asks for them.
class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    FolderTreeModel(const FileServices& files, const Books& books, QObject* parent = nullptr);

    // Starts over at this folder, shown as the one top item.
    void setRoot(const QString& root);
    const QString& root() const { return m_tree.root(); }
    // The item of a folder, the items on the way to it read (all of the tree again when the folder
    // is new since); invalid when it is not in the tree.
    QModelIndex indexOf(const QString& folder);
    QString pathOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    FolderTree::Node nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(FolderTree::Node node) const;

    const FileServices& m_files;
    // Reading a folder's children is no change a view can see: the tree is read as asked.
    mutable FolderTree m_tree;
    // The folder the tree was last read anew for.
    QString m_rereadFor;
    QIcon m_folderIcon;
    QIcon m_archiveIcon;
};

} // namespace ruvo
