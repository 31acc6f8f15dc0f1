#include "V4l2CameraControls.h"

#include "core/LumoLog.h"

#include <QHash>

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>

namespace {

constexpr int MaximumMenuEntries = 256;

static_assert(CameraControlId::Brightness == V4L2_CID_BRIGHTNESS);
static_assert(CameraControlId::WhiteBalanceTemperature == V4L2_CID_WHITE_BALANCE_TEMPERATURE);
static_assert(CameraControlId::BacklightCompensation == V4L2_CID_BACKLIGHT_COMPENSATION);
static_assert(CameraControlId::ExposureAuto == V4L2_CID_EXPOSURE_AUTO);
static_assert(CameraControlId::ExposureAbsolute == V4L2_CID_EXPOSURE_ABSOLUTE);
static_assert(CameraControlId::FocusAuto == V4L2_CID_FOCUS_AUTO);
static_assert(CameraControlId::AutoFocusStart == V4L2_CID_AUTO_FOCUS_START);
static_assert(CameraControlId::ZoomAbsolute == V4L2_CID_ZOOM_ABSOLUTE);
static_assert(CameraControlId::ExposureManual == V4L2_EXPOSURE_MANUAL);
static_assert(CameraControlId::ExposureAperturePriority == V4L2_EXPOSURE_APERTURE_PRIORITY);

// Thread: any; calls are serialised.
class V4l2CameraControls : public CameraControlChannel {
public:
    V4l2CameraControls(int fd, V4l2Io &io) : io_(io), fd_(fd) {}
    ~V4l2CameraControls() override { io_.close(fd_); }

    QList<CameraControl> controls() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        QList<CameraControl> list;
        v4l2_query_ext_ctrl query{};
        query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
        while (!gone_) {
            if (io_.ioctl(fd_, VIDIOC_QUERY_EXT_CTRL, &query) == -1) {
                // EINVAL ends the list; anything else (the node went) ends it early.
                if (errno != EINVAL)
                    failed(errno);
                break;
            }
            if (std::optional<CameraControl> control = describe(query))
                list << *control;
            query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
        }
        return list;
    }

    std::optional<CameraControl> control(uint32_t id) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (gone_)
            return std::nullopt;
        v4l2_query_ext_ctrl query{};
        query.id = id;
        if (io_.ioctl(fd_, VIDIOC_QUERY_EXT_CTRL, &query) == -1) {
            failed(errno);
            return std::nullopt;
        }
        return describe(query);
    }

    std::optional<int> value(uint32_t id) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        v4l2_ext_control control{};
        control.id = id;
        if (!exchange(VIDIOC_G_EXT_CTRLS, &control))
            return std::nullopt;
        const int value = control.value; // copied out: the field is packed
        return value;
    }

    bool setValue(uint32_t id, int value) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        v4l2_ext_control control{};
        control.id = id;
        control.value = value;
        return exchange(VIDIOC_S_EXT_CTRLS, &control);
    }

private:
    // One control read or written on its own. The driver answers a refused value (out of range,
    // inactive, busy) with an error, and so does a node that went away, which is then not asked
    // again.
    bool exchange(unsigned long request, v4l2_ext_control *control)
    {
        if (gone_)
            return false;
        v4l2_ext_controls controls{};
        controls.which = V4L2_CTRL_WHICH_CUR_VAL;
        controls.count = 1;
        controls.controls = control;
        if (io_.ioctl(fd_, request, &controls) == -1) {
            failed(errno);
            return false;
        }
        return true;
    }

    void failed(int error)
    {
        if (error == ENODEV || error == ENXIO || error == ESHUTDOWN) {
            if (!gone_)
                LUMO_LOG("video node of the camera's controls is gone");
            gone_ = true;
        }
    }

    // The control as the interface shows it, or nullopt for what it leaves out: class titles,
    // disabled controls and kinds without a widget (64-bit, strings, bitmasks, compounds).
    std::optional<CameraControl> describe(const v4l2_query_ext_ctrl &query)
    {
        if (query.type == V4L2_CTRL_TYPE_CTRL_CLASS || (query.flags & V4L2_CTRL_FLAG_DISABLED))
            return std::nullopt;
        CameraControl control;
        control.id = query.id;
        control.name = QString::fromUtf8(query.name, int(qstrnlen(query.name, sizeof query.name)));
        control.minimum = int(query.minimum);
        control.maximum = int(query.maximum);
        control.step = int(query.step);
        control.defaultValue = int(query.default_value);
        if (query.flags & V4L2_CTRL_FLAG_INACTIVE)
            control.flags |= CameraControl::Inactive;
        if (query.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED))
            control.flags |= CameraControl::ReadOnly;
        switch (query.type) {
        case V4L2_CTRL_TYPE_INTEGER:
            control.type = CameraControl::Type::Integer;
            break;
        case V4L2_CTRL_TYPE_BOOLEAN:
            control.type = CameraControl::Type::Boolean;
            break;
        case V4L2_CTRL_TYPE_BUTTON:
            control.type = CameraControl::Type::Button;
            break;
        case V4L2_CTRL_TYPE_MENU:
        case V4L2_CTRL_TYPE_INTEGER_MENU: {
            control.type = CameraControl::Type::Menu;
            // A menu's entries stay as they are while the node is open; the pane asks for the
            // control again after every change, and reads only its flags then.
            auto known = menus_.constFind(query.id);
            if (known == menus_.constEnd())
                known = menus_.insert(query.id, menuOf(query));
            control.menu = *known;
            if (control.menu.isEmpty())
                return std::nullopt;
            break;
        }
        default:
            return std::nullopt;
        }
        return control;
    }

    // The entries of a menu; indexes the driver refuses are holes and left out. A menu claiming
    // more entries than anyone could choose from is read no further than that.
    QList<QPair<int, QString>> menuOf(const v4l2_query_ext_ctrl &query)
    {
        QList<QPair<int, QString>> entries;
        const int64_t last = std::min<int64_t>(query.maximum, query.minimum + MaximumMenuEntries - 1);
        for (int64_t index = query.minimum; index <= last && !gone_; ++index) {
            v4l2_querymenu item{};
            item.id = query.id;
            item.index = uint32_t(index);
            if (io_.ioctl(fd_, VIDIOC_QUERYMENU, &item) == -1) {
                failed(errno);
                continue;
            }
            const QString text =
                query.type == V4L2_CTRL_TYPE_INTEGER_MENU
                    ? QString::number(item.value)
                    : QString::fromUtf8(
                        reinterpret_cast<const char *>(item.name),
                        int(qstrnlen(reinterpret_cast<const char *>(item.name), sizeof item.name)));
            entries.append({int(index), text});
        }
        return entries;
    }

    std::mutex mutex_;
    QHash<uint32_t, QList<QPair<int, QString>>> menus_;
    V4l2Io &io_;
    const int fd_;
    bool gone_ = false;
};

} // namespace

std::unique_ptr<CameraControlChannel> openV4l2CameraControls(const QString &node, V4l2Io &io)
{
    if (node.isEmpty())
        return nullptr;
    const int fd = io.open(node.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1) {
        LUMO_LOG("controls of %s cannot be opened: %s", qPrintable(node), strerror(errno));
        return nullptr;
    }
    return std::make_unique<V4l2CameraControls>(fd, io);
}
