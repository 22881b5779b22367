#pragma once

#include "imaging/page_holder.h"

#include <QString>
#include <memory>

namespace ruvo {

// One page as it travels to the cache and the decoder: the book that holds it and its name
// there, with the path a person sees for it, which also tells pages apart. A page made from
// a plain file's path is held by no book. An empty reference names no page.
class PageRef
{
public:
    PageRef() = default;
    PageRef(std::shared_ptr<const PageHolder> holder, QString name);
    // The picture file at path, outside any book, told among the formats given.
    static PageRef file(const QString& path, PageFormats formats);

    bool isEmpty() const { return m_path.isEmpty(); }
    const std::shared_ptr<const PageHolder>& holder() const { return m_holder; }
    const QString& name() const { return m_name; }
    const QString& path() const { return m_path; }
    std::unique_ptr<PageSource> source() const;
    // What draws the page, for a page that is drawn rather than decoded; null otherwise.
    std::unique_ptr<PageRenderer> renderer() const;
    FileStamp stamp() const;

    bool operator==(const PageRef& other) const { return m_path == other.m_path; }

private:
    std::shared_ptr<const PageHolder> m_holder;
    QString m_name;
    QString m_path;
};

} // namespace ruvo
