#include "browse/folder_tree.h"

#include "browse/books_in_folder.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "platform/readable_name.h"

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
        const QList<BookInFolder> books = booksInFolder(path(node), m_files, m_books);
        QList<Node> children;
        children.reserve(books.size());
        for (const BookInFolder& book : books) {
            children.append(Node(m_nodes.size()));
            // An archive's pages are its book's: it holds no folders of the tree.
            m_nodes.push_back(Entry{joinPath(path(node), book.name),
                                    readableName(book.name),
                                    node,
                                    {},
                                    book.archive,
                                    book.archive});
        }
        m_nodes[size_t(node)].children = std::move(children);
    }
    return m_nodes.at(size_t(node)).children;
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
