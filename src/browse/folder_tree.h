#pragma once

#include <QList>
#include <QString>

#include <vector>

namespace ruvo {

class Books;
class FileServices;

// The browser's folder tree: the folders under a drive's root, each folder's own folders read
// when first asked for. A folder is known by its path, which keeps the exact bytes of its name,
// and shown by the name a reader reads; folders come in the page list's order. An archive file
// (as the books tell it) is a book too, and stands among the folders, holding none itself.
class FolderTree
{
public:
    // A folder of the tree, numbered from 0 (the root) in the order first met.
    using Node = int;
    static constexpr Node None = -1;

    FolderTree(const FileServices& files, const Books& books);

    // Starts the tree over at this folder (a drive's root).
    void setRoot(const QString& root);
    const QString& root() const { return m_nodes.front().path; }

    const QString& path(Node node) const { return m_nodes.at(size_t(node)).path; }
    // The name shown for the folder: its readable name, or the root's whole path.
    const QString& label(Node node) const { return m_nodes.at(size_t(node)).label; }
    Node parent(Node node) const { return m_nodes.at(size_t(node)).parent; }
    // Its place among its parent's folders.
    int row(Node node) const;
    // Its folders, read on the first ask; none when it cannot be read.
    const QList<Node>& children(Node node);
    // Whether it may hold folders: not known to be empty.
    bool mayHaveChildren(Node node) const;
    bool childrenRead(Node node) const { return m_nodes.at(size_t(node)).read; }
    bool isArchive(Node node) const { return m_nodes.at(size_t(node)).archive; }
    // The folder of the path, every folder on the way to it read; None when the path does not
    // lie under the root or one of its folders is not there.
    Node find(const QString& path);

private:
    struct Entry
    {
        QString path;
        QString label;
        Node parent = None;
        QList<Node> children;
        bool read = false;
        bool archive = false;
    };

    const FileServices& m_files;
    const Books& m_books;
    std::vector<Entry> m_nodes;
};

} // namespace ruvo
