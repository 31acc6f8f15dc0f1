#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <optional>

// One image control as a camera lists it (brightness, white balance, exposure, focus...): its
// kind, limits, step, default and state. Ids are the control ids of the Linux video API, which
// every back end uses, so that the well-known ones below mean the same everywhere.
struct CameraControl {
    enum class Type { Integer, Boolean, Menu, Button };
    enum Flag {
        Inactive = 0x1, // has no effect now (its automatic counterpart is on); shown disabled
        ReadOnly = 0x2,
        Disabled = 0x4,
    };

    uint32_t id = 0;
    QString name; // as the driver gives it ("White Balance Temperature")
    Type type = Type::Integer;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int flags = 0;
    // A menu's entries: the value and its text, in order; values the camera skips are missing.
    QList<QPair<int, QString>> menu;

    bool inactive() const { return flags & Inactive; }
    bool settable() const { return !(flags & (ReadOnly | Disabled)) && type != Type::Button; }

    // `value` as the control takes it: within its limits and on its steps (counted from the
    // minimum), or for a menu one of its entries (the default when it is none of them).
    int clamped(int value) const;
    // Where `value` sits between the limits, 0 to `levels - 1`, and the value of level `level`
    // (on the control's steps).
    int levelOf(int value, int levels) const;
    int valueOfLevel(int level, int levels) const;
    // The text shown beside the control: the driver's name made readable ("white_balance_auto"
    // gives "White Balance Auto"), in the user's language where it is one of the names drivers
    // give the standard controls.
    QString label() const;
    // A menu entry's text as shown: the driver's, or its translation for a standard one ("50 Hz",
    // "Manual Mode").
    static QString shownText(const QString &driverText);

    bool operator==(const CameraControl &other) const
    {
        return id == other.id && name == other.name && type == other.type && minimum == other.minimum
               && maximum == other.maximum && step == other.step && defaultValue == other.defaultValue
               && flags == other.flags && menu == other.menu;
    }
};

// The ids the application acts on by themselves, beside listing every control.
namespace CameraControlId {
constexpr uint32_t Brightness = 0x00980900;
constexpr uint32_t Contrast = 0x00980901;
constexpr uint32_t Saturation = 0x00980902;
constexpr uint32_t Hue = 0x00980903;
constexpr uint32_t AutoWhiteBalance = 0x0098090c;
constexpr uint32_t Gamma = 0x00980910;
constexpr uint32_t Gain = 0x00980913;
constexpr uint32_t PowerLineFrequency = 0x00980918;
constexpr uint32_t WhiteBalanceTemperature = 0x0098091a;
constexpr uint32_t Sharpness = 0x0098091b;
constexpr uint32_t BacklightCompensation = 0x0098091c;
// A menu: 0 automatic, 1 manual, 2 shutter priority, 3 aperture priority.
constexpr uint32_t ExposureAuto = 0x009a0901;
constexpr uint32_t ExposureAbsolute = 0x009a0902;
constexpr uint32_t FocusAbsolute = 0x009a090a;
constexpr uint32_t FocusAuto = 0x009a090c; // continuous automatic focus, on or off
constexpr uint32_t ZoomAbsolute = 0x009a090d;
constexpr uint32_t AutoFocusStart = 0x009a091c; // a button: focus once
constexpr uint32_t PanAbsolute = 0x009a0908;
constexpr uint32_t TiltAbsolute = 0x009a0909;

constexpr int ExposureAutomatic = 0;
constexpr int ExposureManual = 1;
constexpr int ExposureAperturePriority = 3;
} // namespace CameraControlId

// The controls of one camera's video node. The list is read once; a control's flags change
// with others (automatic white balance on makes the temperature inactive) and are read again
// through control(). A node that went away fails every call softly (empty, nullopt, false).
//
// Thread: any; calls are serialised by the channel.
class CameraControlChannel {
public:
    virtual ~CameraControlChannel() = default;

    virtual QList<CameraControl> controls() = 0;
    virtual std::optional<CameraControl> control(uint32_t id) = 0;
    virtual std::optional<int> value(uint32_t id) = 0;
    virtual bool setValue(uint32_t id, int value) = 0;
};
