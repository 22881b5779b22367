#include "viewer/page_list.h"

#include "platform/file_services.h"

#include <algorithm>
#include <array>

namespace ruvo {

namespace {

constexpr std::array<QLatin1StringView, 7> imageExtensions = {
    QLatin1StringView(".bmp"), QLatin1StringView(".jpg"), QLatin1StringView(".jpeg"), QLatin1StringView(".gif"),
    QLatin1StringView(".ico"), QLatin1StringView(".wmf"), QLatin1StringView(".emf"),
};

} // namespace

bool PageList::hasImageExtension(const QString& nameOrPath)
{
    return std::any_of(imageExtensions.begin(), imageExtensions.end(), [&](QLatin1StringView extension) {
        return nameOrPath.endsWith(extension, Qt::CaseInsensitive);
    });
}

void PageList::sortNames(QStringList& names)
{
    // Names that differ only in case (possible here, unlike on the systems the
    // order comes from) keep a fixed order among themselves.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byCase = QString::compare(a, b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
}

void PageList::load(const QString& folder, const FileServices& files)
{
    m_folder = folder;
    m_names.clear();
    m_selected = -1;
    const std::optional<QStringList> all = files.listFiles(folder);
    if (!all)
        return;
    for (const QString& name : *all) {
        if (hasImageExtension(name))
            m_names.append(name);
    }
    sortNames(m_names);
    if (m_names.size() > maximumCount)
        m_names.resize(maximumCount);
}

void PageList::clear()
{
    m_folder.clear();
    m_names.clear();
    m_selected = -1;
}

QString PageList::name(int index) const
{
    return index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

void PageList::select(int index)
{
    m_selected = index >= 0 && index < m_names.size() ? index : -1;
}

} // namespace ruvo
