#pragma once

#include <cstddef>
#include <sys/types.h>

namespace ruvo {

// The system calls through which the program changes files: a file is
// created, written, synced, closed and renamed into place, and files and
// folders are removed and made; a file that must be new is made under its own
// name, failing when the name is taken. Tests put failing ones in their place to prove
// that each step's failure is caught; the program uses the real ones.
struct FileSystemCalls
{
    int (*create)(char* nameTemplate);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*mkdir)(const char* path, mode_t mode);
    int (*createNew)(const char* path, mode_t mode);

    static FileSystemCalls system();
};

} // namespace ruvo
