#include "support/unreadable_entry.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ruvo::test {

namespace {

constexpr quint32 readingPastPermissions = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The calling thread's capabilities; a raw system call, since the library wrapping it may not
// be installed. Pid 0 is the calling thread.
bool capabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

// Takes the capabilities that read past permission bits out of, or puts them back into, the
// calling thread's effective set; true when they were there to take out.
bool setEffective(bool on)
{
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (!capabilities(data, false))
        return false;
    const bool had = (data[0].effective & readingPastPermissions) != 0;
    if (on)
        data[0].effective |= data[0].permitted & readingPastPermissions;
    else
        data[0].effective &= ~readingPastPermissions;
    return capabilities(data, true) && had;
}

} // namespace

UnreadableEntry::UnreadableEntry(QString path) : m_path(std::move(path))
{
    const QByteArray name = QFile::encodeName(m_path);
    struct stat info;
    if (::stat(name.constData(), &info) == 0) {
        m_mode = info.st_mode & 07777;
        ::chmod(name.constData(), 0);
    }
    m_capabilitiesSetAside = setEffective(false);
}

UnreadableEntry::~UnreadableEntry()
{
    if (m_capabilitiesSetAside)
        setEffective(true);
    if (m_mode)
        ::chmod(QFile::encodeName(m_path).constData(), *m_mode);
}

bool UnreadableEntry::refusesReading() const
{
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES;
}

} // namespace ruvo::test
