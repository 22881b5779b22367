#include "session/positions_file.h"

#include "platform/file_services.h"
#include "platform/paths.h"

namespace ruvo {

namespace {

// Far above what a thousand positions take; a larger file is none of ours.
constexpr qsizetype positionsReadLimit = 32 * 1024 * 1024;

} // namespace

PositionsFile::PositionsFile(FileServices& files, const QString& folder) : m_files(files), m_folder(folder) {}

QString PositionsFile::fileName()
{
    return QStringLiteral("positions.txt");
}

QString PositionsFile::path() const
{
    return m_folder.isEmpty() ? QString() : joinPath(m_folder, fileName());
}

PositionsFile::Loaded PositionsFile::load()
{
    if (m_loaded)
        return *m_loaded;
    m_loaded = Loaded::None;
    if (m_folder.isEmpty() || !m_files.entryKind(path()))
        return *m_loaded;
    const std::optional<QByteArray> bytes = m_files.readFile(path(), positionsReadLimit);
    ReadingPositions::Parsed parsed;
    if (bytes && bytes->size() <= positionsReadLimit)
        parsed = ReadingPositions::parse(*bytes);
    if (!parsed.valid) {
        m_loaded = Loaded::Damaged;
        m_damagedInPlace = true;
        return *m_loaded;
    }
    m_positions = std::move(parsed.positions);
    m_loaded = Loaded::Read;
    return *m_loaded;
}

bool PositionsFile::save()
{
    load();
    if (m_folder.isEmpty() || !makeFolder())
        return false;
    // What could not be read is kept, never written over.
    if (m_damagedInPlace) {
        if (!m_files.rename(path(), path() + QStringLiteral(".bak")))
            return false;
        m_damagedInPlace = false;
    }
    return m_files.writeFile(path(), m_positions.text());
}

bool PositionsFile::makeFolder()
{
    // Each missing folder on the way, from the top down.
    QStringList missing;
    for (QString folder = m_folder; !folder.isEmpty() && !m_files.entryKind(folder);
         folder = folderOf(folder))
        missing.prepend(folder);
    for (const QString& folder : std::as_const(missing)) {
        if (!m_files.createFolder(folder))
            return false;
    }
    return m_files.lookup(m_folder, true) == fileNameOf(m_folder) || isRootPath(m_folder);
}

} // namespace ruvo
