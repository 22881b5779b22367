#include "platform/local_file_services.h"

#include "platform/code_page.h"
#include "platform/native_file.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ruvo {

std::optional<int> LocalFileServices::attributes(const QString& path) const
{
    // stat() follows links, so a dangling one counts as missing.
    const std::optional<struct stat> info = statusOf(path);
    if (!info)
        return std::nullopt;
    int result = 0;
    if (::access(nativeName(path).constData(), W_OK) != 0)
        result |= FileAttribute::ReadOnly;
    if (fileNameOf(QDir::cleanPath(path)).startsWith(QLatin1Char('.')))
        result |= FileAttribute::Hidden;
    if (S_ISDIR(info->st_mode))
        result |= FileAttribute::Directory;
    return result;
}

QString LocalFileServices::lookup(const QString& path, bool directoryToo) const
{
    const std::optional<struct stat> info = statusOf(path);
    if (!info)
        return QString();
    if (S_ISREG(info->st_mode) || (directoryToo && S_ISDIR(info->st_mode)))
        return fileNameOf(QDir::cleanPath(path));
    return QString();
}

std::optional<EntryKind> LocalFileServices::entryKind(const QString& path) const
{
    struct stat info;
    if (path.isEmpty() || ::lstat(nativeName(path).constData(), &info) != 0)
        return std::nullopt;
    if (S_ISLNK(info.st_mode))
        return EntryKind::Link;
    if (S_ISREG(info.st_mode))
        return EntryKind::PlainFile;
    return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

ReadFault LocalFileServices::readFault(const QString& path) const
{
    return readFaultOf(path);
}

QString LocalFileServices::volumeLabel(const QString& path) const
{
    const QStorageInfo storage(path);
    return storage.isValid() ? storage.name() : QString();
}

QStringList LocalFileServices::volumeRoots() const
{
    // Kernel and memory file systems hold no books.
    static const QList<QByteArray> pseudo = {"proc",    "sysfs",       "devtmpfs", "devpts",  "cgroup",
                                             "cgroup2", "mqueue",      "debugfs",  "tracefs", "securityfs",
                                             "pstore",  "bpf",         "configfs", "fusectl", "hugetlbfs",
                                             "autofs",  "binfmt_misc", "nsfs"};
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || pseudo.contains(volume.fileSystemType()))
            continue;
        const QString root = volume.rootPath();
        if (root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys")) ||
            root.startsWith(QLatin1String("/dev")) || root.startsWith(QLatin1String("/run")))
            continue;
        if (!roots.contains(root))
            roots.append(root);
    }
    return roots;
}

QString LocalFileServices::volumeRoot(const QString& path) const
{
    const QStorageInfo storage(path);
    if (!storage.isValid() || storage.rootPath().isEmpty())
        return QStringLiteral("/");
    return storage.rootPath();
}

namespace {

// The names in a folder that are not hidden and whose entries (a link followed) are of the
// kind asked. Reads the folder directly: a book may hold tens of thousands of pages, and the
// entry type from readdir saves a stat per file.
std::optional<QStringList> listEntries(const QString& folder, mode_t kind)
{
    const QByteArray prefix = nativeName(folder) + '/';
    DIR* dir = ::opendir(prefix.constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool wanted = mode_t(DTTOIF(entry->d_type)) == kind;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            wanted =
                ::stat((prefix + entry->d_name).constData(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
        }
        if (wanted)
            names.append(nameFromNative(entry->d_name));
    }
    ::closedir(dir);
    return names;
}

} // namespace

std::optional<QStringList> LocalFileServices::listFiles(const QString& folder) const
{
    return listEntries(folder, S_IFREG);
}

std::optional<QStringList> LocalFileServices::listFolders(const QString& folder) const
{
    return listEntries(folder, S_IFDIR);
}

bool LocalFileServices::removeFile(const QString& path)
{
    return !path.isEmpty() && m_calls.unlink(nativeName(path).constData()) == 0;
}

bool LocalFileServices::rename(const QString& path, const QString& to)
{
    return !path.isEmpty() && !to.isEmpty() &&
           m_calls.rename(nativeName(path).constData(), nativeName(to).constData()) == 0;
}

bool LocalFileServices::createFolder(const QString& path)
{
    return !path.isEmpty() && m_calls.mkdir(nativeName(path).constData(), 0777) == 0;
}

std::optional<QStringList> LocalFileServices::readLines(const QString& path) const
{
    QFile file;
    if (!openForReading(file, path))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    // Decoding before splitting is safe: neither LF nor CR occurs inside a code-page 932
    // double-byte character.
    return linesOfText(decodeCodePageText(bytes));
}

std::optional<QByteArray> LocalFileServices::readFile(const QString& path, qsizetype maxBytes) const
{
    QFile file;
    if (maxBytes < 0 || !openForReading(file, path))
        return std::nullopt;
    // The buffer is sized for what is asked, so ask for no more than the file holds: one byte
    // past it shows whether the file grew, or was larger than the caller takes.
    QByteArray bytes = file.read(std::min<qint64>(file.size(), maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool LocalFileServices::writeFile(const QString& path, const QByteArray& bytes)
{
    return m_replacer.replace(path, bytes);
}

bool LocalFileServices::createFile(const QString& path, const QByteArray& bytes)
{
    return m_replacer.create(path, bytes);
}

} // namespace ruvo
