#include "support/write_fault.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace ruvo::test {

namespace {

int armed = 0;
int counted = 0;

// Counts one step; true when it is the one to fail, with errno set as the disk would.
bool fails(int error)
{
    if (++counted != armed)
        return false;
    errno = error;
    return true;
}

int countedCreate(char* nameTemplate)
{
    return fails(EIO) ? -1 : ::mkstemp(nameTemplate);
}

ssize_t countedWrite(int fd, const void* data, size_t size)
{
    return fails(ENOSPC) ? -1 : ::write(fd, data, size);
}

int countedSync(int fd)
{
    return fails(EIO) ? -1 : ::fsync(fd);
}

int countedClose(int fd)
{
    // A failed close still releases the descriptor.
    const bool failing = fails(EIO);
    const int result = ::close(fd);
    if (failing)
        errno = EIO;
    return failing ? -1 : result;
}

int countedRename(const char* from, const char* to)
{
    return fails(EIO) ? -1 : ::rename(from, to);
}

int countedUnlink(const char* path)
{
    return fails(EIO) ? -1 : ::unlink(path);
}

int countedMkdir(const char* path, mode_t mode)
{
    return fails(EIO) ? -1 : ::mkdir(path, mode);
}

int countedCreateNew(const char* path, mode_t mode)
{
    return fails(EIO) ? -1 : FileSystemCalls::system().createNew(path, mode);
}

} // namespace

FileSystemCalls WriteFault::calls()
{
    return {countedCreate, countedWrite,  countedSync,  countedClose,
            countedRename, countedUnlink, countedMkdir, countedCreateNew};
}

void WriteFault::failStep(int step)
{
    armed = step;
    counted = 0;
}

int WriteFault::steps()
{
    return counted;
}

bool WriteFault::struck()
{
    return armed > 0 && counted >= armed;
}

} // namespace ruvo::test
