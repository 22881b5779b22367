#pragma once

#include "imaging/page_renderer.h"
#include "imaging/page_source.h"
#include "platform/file_stamp.h"

#include <QString>
#include <memory>

namespace ruvo {

// What holds pages by name (a book, or the loose files of the disk) and tells, for each, where
// its bytes are read from, what tells whether it changed, and the path a person sees for it.
// Safe to call from any thread.
class PageHolder
{
public:
    virtual ~PageHolder() = default;
    virtual std::unique_ptr<PageSource> sourceOf(const QString& name) const = 0;
    virtual FileStamp stampOf(const QString& name) const = 0;
    virtual QString pathOf(const QString& name) const = 0;
    // What draws the named page, for a page that is drawn rather than decoded from the bytes
    // its source gives; null for every other page.
    virtual std::unique_ptr<PageRenderer> rendererOf(const QString&) const { return nullptr; }
};

} // namespace ruvo
