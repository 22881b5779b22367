#pragma once

#include <cstddef>
#include <sys/types.h>

namespace ruvo {

// The system calls through which a file is replaced. Tests put failing ones in
// their place to prove that each step's failure is caught; the program uses
// the real ones.
struct FileSystemCalls
{
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);

    static FileSystemCalls system();
};

} // namespace ruvo
