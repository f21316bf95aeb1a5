// The system calls an atomic save makes, gathered in one table so that a test
// can make any single one of them fail and watch what the save does about it.
// Everything else uses the real calls, which the table holds unless replaced.
#pragma once

#ifndef _WIN32

#include <cstddef>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace brackle {

struct FileCalls {
    int (*Access)(const char* path, int how);
    int (*Open)(const char* path, int flags, mode_t mode);
    ssize_t (*Write)(int fd, const void* data, std::size_t size);
    int (*Fsync)(int fd);
    int (*Close)(int fd);
    int (*Rename)(const char* from, const char* to);
    int (*Fchown)(int fd, uid_t owner, gid_t group);
    int (*Fchmod)(int fd, mode_t mode);
};

inline FileCalls RealFileCalls()
{
    return FileCalls{
        [](const char* path, int how) { return ::access(path, how); },
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
        [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); },
        [](int fd, mode_t mode) { return ::fchmod(fd, mode); },
    };
}

// The calls WriteFileAtomically makes; tests assign to it and put RealFileCalls() back.
inline FileCalls& SaveCalls()
{
    static FileCalls calls = RealFileCalls();
    return calls;
}

}  // namespace brackle

#endif
