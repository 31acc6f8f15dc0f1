#include "EvdevButtonInput.h"

#include "core/LumoLog.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

namespace {

// Records read in one go before the event loop gets a turn.
constexpr int RecordsPerRead = 16;
constexpr int KeyPress = 1; // EV_KEY values: 0 release, 1 press, 2 auto-repeat

} // namespace

EvdevButtonInput::~EvdevButtonInput()
{
    stop();
}

bool EvdevButtonInput::open(const QString &node)
{
    const int fd = ::open(QFile::encodeName(node).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        LUMO_LOG("cannot open button input %s: %s", qPrintable(node), strerror(errno));
        return false;
    }
    attach(fd, node);
    return true;
}

void EvdevButtonInput::attach(int fd, const QString &node)
{
    stop();
    fd_ = fd;
    node_ = node;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readEvents(); });
    LUMO_LOG("reading button input %s", qPrintable(node_));
}

void EvdevButtonInput::readEvents()
{
    char chunk[RecordsPerRead * sizeof(input_event)];
    for (;;) {
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got > 0) {
            partial_.append(chunk, int(got));
            deliverWholeRecords();
            if (fd_ < 0 || size_t(got) < sizeof chunk)
                return;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // ENODEV (or the end of the stream): the device went away, as it does when unplugged.
        if (got == 0 || errno == ENODEV)
            LUMO_LOG("button input %s gone", qPrintable(node_));
        else
            LUMO_LOG("button input %s cannot be read: %s", qPrintable(node_), strerror(errno));
        stop();
        return;
    }
}

void EvdevButtonInput::deliverWholeRecords()
{
    const int whole = partial_.size() / int(sizeof(input_event)) * int(sizeof(input_event));
    for (int offset = 0; offset < whole; offset += int(sizeof(input_event))) {
        input_event event;
        memcpy(&event, partial_.constData() + offset, sizeof event);
        if (event.type == EV_KEY && event.value == KeyPress)
            deliver(event.code);
    }
    partial_.remove(0, whole);
}

void EvdevButtonInput::stop()
{
    // The notifier goes before the descriptor it watches is closed.
    delete notifier_;
    notifier_ = nullptr;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    partial_.clear();
}
