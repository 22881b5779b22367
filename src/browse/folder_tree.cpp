#include "browse/folder_tree.h"

#include "books/books.h"
#include "books/page_names.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "platform/readable_name.h"

#include <QSet>

namespace ruvo {

FolderTree::FolderTree(const FileServices& files, const Books& books) : m_files(files), m_books(books)
{
    setRoot(QStringLiteral("/"));
}

void FolderTree::setRoot(const QString& root)
{
    m_nodes.clear();
    const QString path = folderPathForm(root);
    m_nodes.push_back(Entry{path, readableName(path), None, {}, false});
}

int FolderTree::row(Node node) const
{
    const Node up = parent(node);
    return up == None ? 0 : int(m_nodes.at(size_t(up)).children.indexOf(node));
}

const QList<FolderTree::Node>& FolderTree::children(Node node)
{
    if (!m_nodes.at(size_t(node)).read) {
        m_nodes[size_t(node)].read = true;
        const QStringList archiveNames = archivesIn(path(node));
        const QSet<QString> archives(archiveNames.cbegin(), archiveNames.cend());
        QStringList names = m_files.listFolders(path(node)).value_or(QStringList()) + archiveNames;
        sortPageNames(names);
        QList<Node> children;
        children.reserve(names.size());
        for (const QString& name : std::as_const(names)) {
            children.append(Node(m_nodes.size()));
            // An archive's pages are its book's: it holds no folders of the tree.
            const bool archive = archives.contains(name);
            m_nodes.push_back(
                Entry{joinPath(path(node), name), readableName(name), node, {}, archive, archive});
        }
        m_nodes[size_t(node)].children = std::move(children);
    }
    return m_nodes.at(size_t(node)).children;
}

QStringList FolderTree::archivesIn(const QString& folder) const
{
    QStringList archives;
    for (const QString& name : m_files.listFiles(folder).value_or(QStringList())) {
        // A page is never an archive; only the other files are opened to be told.
        if (!hasPageExtension(name) && m_books.isArchive(joinPath(folder, name)))
            archives.append(name);
    }
    return archives;
}

bool FolderTree::mayHaveChildren(Node node) const
{
    const Entry& entry = m_nodes.at(size_t(node));
    return !entry.read || !entry.children.isEmpty();
}

FolderTree::Node FolderTree::find(const QString& path)
{
    const QString wanted = folderPathForm(path);
    Node node = 0;
    while (true) {
        if (wanted == this->path(node))
            return node;
        Node next = None;
        for (Node child : children(node)) {
            const QString& childPath = this->path(child);
            if (wanted == childPath || wanted.startsWith(childPath + u'/')) {
                next = child;
                break;
            }
        }
        if (next == None)
            return None;
        node = next;
    }
}

} // namespace ruvo
