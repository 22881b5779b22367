#include "viewer/page_list.h"

#include "books/archive_format.h"
#include "books/archive_index.h"
#include "imaging/picture_formats.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "platform/readable_name.h"

#include <algorithm>
#include <vector>

namespace ruvo {

bool PageList::hasImageExtension(const QString& nameOrPath)
{
    return pictureFormatOfName(nameOrPath) != nullptr;
}

void PageList::sortNames(QStringList& names)
{
    // Pages are ordered by the names the reader reads (a name in code page 932 bytes as its
    // Japanese), without regard to case. Names read alike (in two cases, possible here
    // unlike on the systems the order comes from, or in two encodings) keep a fixed order
    // among themselves, by what they hold.
    struct Keyed
    {
        QString readable;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QString& name : std::as_const(names))
        keyed.push_back({readableName(name), name});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byCase = QString::compare(a.readable, b.readable, Qt::CaseInsensitive);
        if (byCase != 0)
            return byCase < 0;
        return a.readable != b.readable ? a.readable < b.readable : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].name);
}

void PageList::load(const QString& folder, const FileServices& files)
{
    m_folder = folderPathForm(folder);
    m_names.clear();
    m_selected = -1;
    m_archive = archiveFormatOfFile(m_folder) != ArchiveFormat::None;
    if (m_archive) {
        m_names = readArchiveIndex(m_folder).pages;
    } else {
        const std::optional<QStringList> all = files.listFiles(m_folder);
        if (!all)
            return;
        for (const QString& name : *all) {
            if (hasImageExtension(name))
                m_names.append(name);
        }
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
    m_archive = false;
}

QString PageList::pathOf(int index) const
{
    return joinPath(m_folder, name(index));
}

bool PageList::hasPage(int index, const FileServices& files) const
{
    if (index < 0 || index >= m_names.size())
        return false;
    return m_archive || !files.lookup(pathOf(index)).isEmpty();
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
