#pragma once

#include "imaging/page_ref.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ruvo {

class Book;
class Books;

// The pages of the open book, as its book lists them (the bare names of the image files of
// one folder, or the paths of an archive's pages inside it), with the entry the user
// selected.
class PageList
{
public:
    static constexpr int maximumCount = 32767;

    // Opens the folder, or the archive, as the book and lists its pages; an unreadable folder
    // or archive gives an empty list. The selection is cleared either way. The folder is kept
    // without a trailing separator (but for the root).
    void load(const QString& folder, Books& books);
    // Lists the pages of a book already opened; the selection is cleared.
    void load(std::shared_ptr<Book> book);
    void clear();

    // The folder, or the archive file, whose pages these are.
    const QString& folder() const { return m_folder; }
    bool isArchive() const;
    // The open book; none before the first is loaded.
    const std::shared_ptr<Book>& book() const { return m_book; }
    int count() const { return int(m_names.size()); }
    bool isEmpty() const { return m_names.isEmpty(); }
    // The name at an index; "" outside the list.
    QString name(int index) const;
    const QStringList& names() const { return m_names; }
    // The page at an index, as its book holds it; the full path of it.
    PageRef pageAt(int index) const;
    QString pathOf(int index) const;
    // Whether the page at an index is still there. An archive's pages are as it listed
    // them when it opened.
    bool hasPage(int index) const;

    // -1 when nothing is selected.
    int selectedIndex() const { return m_selected; }
    void select(int index);

private:
    QString m_folder;
    QStringList m_names;
    int m_selected = -1;
    std::shared_ptr<Book> m_book;
};

} // namespace ruvo
