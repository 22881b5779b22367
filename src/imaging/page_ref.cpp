#include "imaging/page_ref.h"

#include "imaging/file_page_source.h"

namespace ruvo {

namespace {

// Picture files of the formats given, by their paths.
class LooseFiles : public PageHolder
{
public:
    explicit LooseFiles(PageFormats formats) : m_formats(formats) {}

    std::unique_ptr<PageSource> sourceOf(const QString& name) const override
    {
        return std::make_unique<FilePageSource>(name, m_formats);
    }
    FileStamp stampOf(const QString& name) const override { return fileStampOf(name); }
    QString pathOf(const QString& name) const override { return name; }

private:
    const PageFormats m_formats;
};

const std::shared_ptr<const PageHolder>& looseFiles(PageFormats formats = PageFormats::Basic)
{
    static const std::shared_ptr<const PageHolder> basic =
        std::make_shared<const LooseFiles>(PageFormats::Basic);
    static const std::shared_ptr<const PageHolder> all = std::make_shared<const LooseFiles>(PageFormats::All);
    return formats == PageFormats::All ? all : basic;
}

} // namespace

PageRef::PageRef(std::shared_ptr<const PageHolder> holder, QString name)
    : m_holder(holder ? std::move(holder) : looseFiles()), m_name(std::move(name)),
      m_path(m_holder->pathOf(m_name))
{
}

PageRef PageRef::file(const QString& path, PageFormats formats)
{
    return PageRef(looseFiles(formats), path);
}

std::unique_ptr<PageSource> PageRef::source() const
{
    return (m_holder ? m_holder : looseFiles())->sourceOf(m_name);
}

std::unique_ptr<PageRenderer> PageRef::renderer() const
{
    return (m_holder ? m_holder : looseFiles())->rendererOf(m_name);
}

FileStamp PageRef::stamp() const
{
    return (m_holder ? m_holder : looseFiles())->stampOf(m_name);
}

} // namespace ruvo
