#include "V4l2Io.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

class SystemV4l2Io : public V4l2Io {
public:
    int open(const char *path, int flags) override { return ::open(path, flags); }

    int close(int fd) override { return ::close(fd); }

    int ioctl(int fd, unsigned long request, void *arg) override
    {
        int result;
        do {
            result = ::ioctl(fd, request, arg);
        } while (result < 0 && errno == EINTR);
        return result;
    }

    int poll(int fd, short events, int timeoutMs, short *revents) override
    {
        pollfd entry{fd, events, 0};
        const int result = ::poll(&entry, 1, timeoutMs);
        *revents = result > 0 ? entry.revents : 0;
        return result;
    }

    void *mmap(size_t length, int fd, off_t offset) override
    {
        return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
    }

    int munmap(void *address, size_t length) override { return ::munmap(address, length); }
};

} // namespace

V4l2Io &V4l2Io::system()
{
    static SystemV4l2Io io;
    return io;
}
