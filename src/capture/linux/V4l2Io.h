#pragma once

#include <cstddef>
#include <sys/types.h>

// The system calls the V4L2 capture code makes on a video node, behind one seam so that tests
// can stand in for the driver. Each call behaves as its system call does: -1 (MAP_FAILED for
// mmap) with errno set on failure.
//
// Threads: the system implementation is stateless and thread-safe; a fake must be too, since
// the frame thread polls and dequeues while the main thread stops the stream.
class V4l2Io {
public:
    virtual ~V4l2Io() = default;

    virtual int open(const char *path, int flags) = 0;
    virtual int close(int fd) = 0;
    // Retried while interrupted by a signal.
    virtual int ioctl(int fd, unsigned long request, void *arg) = 0;
    // Waits up to `timeoutMs` for `events` on `fd`; 1 with `*revents` set, 0 on time-out.
    virtual int poll(int fd, short events, int timeoutMs, short *revents) = 0;
    // A shared, readable and writable mapping of a driver buffer.
    virtual void *mmap(size_t length, int fd, off_t offset) = 0;
    virtual int munmap(void *address, size_t length) = 0;

    // The real system calls.
    static V4l2Io &system();
};
