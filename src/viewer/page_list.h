#pragma once

#include <QString>
#include <QStringList>

namespace ruvo {

class FileServices;

// The pages of the open book: the bare names of the image files of one folder,
// hidden files left out, in name order without regard to case, with the entry
// the user selected. A book may also be an archive file, whose pages are named by their
// paths inside it, in the same order.
class PageList
{
public:
    static constexpr int maximumCount = 32767;

    // Whether the name or path ends in one of the page image extensions,
    // compared without regard to case.
    static bool hasImageExtension(const QString& nameOrPath);
    // Sorts names as the list shows them.
    static void sortNames(QStringList& names);

    // Lists the folder's pages, or the archive's; an unreadable folder or archive gives an
    // empty list. The selection is cleared either way. The folder is kept without a
    // trailing separator (but for the root).
    void load(const QString& folder, const FileServices& files);
    void clear();

    // The folder, or the archive file, whose pages these are.
    const QString& folder() const { return m_folder; }
    bool isArchive() const { return m_archive; }
    int count() const { return int(m_names.size()); }
    bool isEmpty() const { return m_names.isEmpty(); }
    // The name at an index; "" outside the list.
    QString name(int index) const;
    const QStringList& names() const { return m_names; }
    // The full path of the page at an index.
    QString pathOf(int index) const;
    // Whether the page at an index is still there. An archive's pages are as it listed
    // them when it opened.
    bool hasPage(int index, const FileServices& files) const;

    // -1 when nothing is selected.
    int selectedIndex() const { return m_selected; }
    void select(int index);

private:
    QString m_folder;
    QStringList m_names;
    int m_selected = -1;
    bool m_archive = false;
};

} // namespace ruvo
