#include "viewer/page_list.h"

#include "imaging/picture_formats.h"
#include "platform/file_services.h"
#include "platform/paths.h"

#include <algorithm>

namespace ruvo {

bool PageList::hasImageExtension(const QString& nameOrPath)
{
    return pictureFormatOfName(nameOrPath) != nullptr;
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
    m_folder = folderPathForm(folder);
    m_names.clear();
    m_selected = -1;
    const std::optional<QStringList> all = files.listFiles(m_folder);
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

QString PageList::pathOf(int index) const
{
    return joinPath(m_folder, name(index));
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
