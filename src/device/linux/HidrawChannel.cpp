#include "HidrawChannel.h"

#include "core/LumoLog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// hidraw never passes on a report longer than the HID core's buffer.
constexpr int MaxReportLength = 4096;
// Reports read in one go before the event loop gets a turn; the rest are read at the next turn.
constexpr int MaxReportsPerWakeUp = 64;

// A failed call that will fail again: the device went away or refused the request.
int resultForErrno(int error)
{
    return error == ETIMEDOUT ? HidChannel::TimedOut : HidChannel::Failed;
}

} // namespace

std::unique_ptr<HidrawChannel> HidrawChannel::open(const QString &node)
{
    if (node.isEmpty()) {
        LUMO_LOG("no hidraw node to open");
        return nullptr;
    }
    const int fd = ::open(QFile::encodeName(node).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        LUMO_LOG("cannot open %s: %s", qPrintable(node), strerror(errno));
        return nullptr;
    }
    return std::unique_ptr<HidrawChannel>(new HidrawChannel(fd, node));
}

HidrawChannel::HidrawChannel(int fd, const QString &node) : fd_(fd), node_(node) {}

HidrawChannel::~HidrawChannel()
{
    // The notifier must go before the descriptor it watches is closed.
    delete notifier_;
    notifier_ = nullptr;
    ::close(fd_);
}

int HidrawChannel::setReport(ReportType type, const QByteArray &report, int timeoutMs)
{
    if (type != ReportType::Output) {
        LUMO_LOG("%s: only output reports are written", qPrintable(node_));
        return Failed;
    }
    if (report.isEmpty())
        return Failed;
    const unsigned reportId = uint8_t(report[0]);

    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    for (;;) {
        pollfd writable = {fd_, POLLOUT, 0};
        const int ready = ::poll(&writable, 1, int(deadline.remainingTime()));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            LUMO_LOG("%s: poll failed: %s", qPrintable(node_), strerror(errno));
            return Failed;
        }
        if (ready == 0)
            return TimedOut;
        if (writable.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            LUMO_LOG("%s: device gone", qPrintable(node_));
            return Failed;
        }
        const ssize_t written = ::write(fd_, report.constData(), size_t(report.size()));
        if (written == report.size())
            return Ok;
        if (written >= 0) {
            LUMO_LOG("%s: output report %u cut short (%zd of %lld bytes)", qPrintable(node_), reportId,
                     written, static_cast<long long>(report.size()));
            return Failed;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN) {
            if (deadline.hasExpired())
                return TimedOut;
            continue;
        }
        LUMO_LOG("%s: writing output report %u failed: %s", qPrintable(node_), reportId, strerror(errno));
        return resultForErrno(errno);
    }
}

// No fallback when the kernel lacks HIDIOCGINPUT (ENOTTY, kernels before 5.11): reading the
// next interrupt report instead would compete with the event reader for the same reports, and
// could hand back a stale report or swallow a button press; asking for a feature report would
// ask the device for a different report. The call fails, as a refused request would.
int HidrawChannel::getReport(ReportType type, uint8_t reportId, QByteArray &report, int)
{
    if (type != ReportType::Input) {
        LUMO_LOG("%s: only input reports are asked for", qPrintable(node_));
        return Failed;
    }
    if (report.isEmpty() || report.size() > MaxReportLength)
        return Failed;
    // The ioctl's buffer is the whole report: the ID goes in byte 0, and the device's report,
    // ID first, comes back in its place. A short answer leaves the rest zero.
    report.fill('\0');
    report[0] = char(reportId);
    int received;
    do {
        received = ::ioctl(fd_, HIDIOCGINPUT(report.size()), report.data());
    } while (received < 0 && errno == EINTR);
    if (received < 0) {
        if (errno == ENOTTY || errno == EINVAL)
            LUMO_LOG("%s: the kernel cannot get input reports (HIDIOCGINPUT)", qPrintable(node_));
        else
            LUMO_LOG("%s: getting input report %u failed: %s", qPrintable(node_), reportId, strerror(errno));
        return resultForErrno(errno);
    }
    return Ok;
}

bool HidrawChannel::startEvents()
{
    if (notifier_) {
        notifier_->setEnabled(true);
        return true;
    }
    if (!locateButtonElement())
        return false;
    // One byte for the report ID and one more than the longest input report, so that a report
    // longer than the descriptor allows shows as such instead of being cut to size.
    int longest = 0;
    for (const HidInputField &field : descriptor_.inputFields())
        longest = std::max(longest, descriptor_.inputReportLength(field.reportId));
    readBuffer_.assign(size_t(longest) + 2, 0);

    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readReports(); });
    return true;
}

void HidrawChannel::stopEvents()
{
    if (notifier_)
        notifier_->setEnabled(false);
}

bool HidrawChannel::locateButtonElement()
{
    int size = 0;
    if (::ioctl(fd_, HIDIOCGRDESCSIZE, &size) < 0) {
        LUMO_LOG("%s: no report descriptor: %s", qPrintable(node_), strerror(errno));
        return false;
    }
    auto raw = std::make_unique<hidraw_report_descriptor>();
    raw->size = uint32_t(std::clamp(size, 0, HID_MAX_DESCRIPTOR_SIZE));
    if (::ioctl(fd_, HIDIOCGRDESC, raw.get()) < 0) {
        LUMO_LOG("%s: reading the report descriptor failed: %s", qPrintable(node_), strerror(errno));
        return false;
    }
    descriptor_ =
        HidReportDescriptor::parse(QByteArray(reinterpret_cast<const char *>(raw->value), int(raw->size)));
    if (!descriptor_.isComplete())
        LUMO_LOG("%s: report descriptor malformed; using the items before the fault", qPrintable(node_));
    element_ = descriptor_.buttonElement();
    if (!element_) {
        LUMO_LOG("%s: no button element in the report descriptor", qPrintable(node_));
        return false;
    }
    LUMO_LOG("%s: button element in report %u, bits %u..%u, usage page 0x%04x", qPrintable(node_),
             element_->reportId, element_->bitOffset, element_->bitOffset + element_->bitSize - 1,
             element_->usagePage);
    return true;
}

void HidrawChannel::readReports()
{
    // hidraw hands out one whole report per read().
    for (int n = 0; n < MaxReportsPerWakeUp; ++n) {
        const ssize_t length = ::read(fd_, readBuffer_.data(), readBuffer_.size());
        if (length > 0) {
            handleReport(readBuffer_.data(), int(length));
            continue;
        }
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 && errno == EAGAIN)
            return;
        // EIO or ENODEV once the device is unplugged (the node then stays readable forever),
        // or the end of the stream.
        stopReading(length < 0 ? strerror(errno) : "end of stream");
        return;
    }
}

void HidrawChannel::stopReading(const char *reason)
{
    LUMO_LOG("%s: reading input reports stopped: %s", qPrintable(node_), reason);
    notifier_->setEnabled(false);
}

void HidrawChannel::handleReport(const uint8_t *data, int length)
{
    uint8_t reportId = 0;
    if (descriptor_.numberedReports()) {
        reportId = data[0];
        ++data;
        --length;
    }
    if (!descriptor_.hasInputReport(reportId)) {
        LUMO_LOG("%s: input report with unknown ID %u skipped", qPrintable(node_), reportId);
        return;
    }
    const int expected = descriptor_.inputReportLength(reportId);
    if (length > expected) {
        LUMO_LOG("%s: input report %u of %d bytes, at most %d expected; skipped", qPrintable(node_), reportId,
                 length, expected);
        return;
    }
    if (reportId != element_->reportId)
        return; // another control of the device
    int32_t value = 0;
    if (!readHidFieldValue(*element_, data, length, &value)) {
        LUMO_LOG("%s: input report %u of %d bytes too short for the button element; skipped",
                 qPrintable(node_), reportId, length);
        return;
    }
    // Like the element it stands for, the queue sees changes, not every report.
    if (value == lastValue_)
        return;
    lastValue_ = value;
    enqueueEvent(value);
}
