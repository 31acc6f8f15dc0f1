#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// One Input main item of a HID report descriptor: `count` values of `bitSize` bits each, starting
// `bitOffset` bits into the payload of input report `reportId` (the payload is what follows the
// report ID byte when the device numbers its reports).
struct HidInputField {
    uint8_t reportId = 0; // 0 when the device does not number its reports
    uint32_t bitOffset = 0;
    uint32_t bitSize = 0;
    uint32_t count = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;    // the first usage declared for the item, 0 when none
    bool constant = false; // padding, not data
    bool variable = false; // one value per control (not an array of selectors)
    int32_t logicalMinimum = 0;
};

// The Input items of a HID report descriptor, with the layout of each input report: enough to
// find one element in the interrupt reports a device sends. Output and feature reports, physical
// units and collections are not tracked; nothing here needs them.
class HidReportDescriptor {
public:
    // Parses the descriptor as the device returned it. A malformed item (one whose data runs past
    // the end, an over-long report) stops the parse; what was read before it is kept and
    // isComplete() is false.
    static HidReportDescriptor parse(const QByteArray &bytes);

    bool isComplete() const { return complete_; }
    const std::vector<HidInputField> &inputFields() const { return inputFields_; }
    // Whether the device prefixes its reports with a report ID byte.
    bool numberedReports() const { return numbered_; }
    bool hasInputReport(uint8_t reportId) const;
    // Payload length in bytes of input report `reportId` (without its ID byte); 0 when unknown.
    int inputReportLength(uint8_t reportId) const;

    // The element whose changes are the camera's button and focus events: the first Input field,
    // in descriptor order, that is data (not constant), variable (not an array), on a
    // vendor-defined usage page (0xFF00-0xFFFF) and 8 to 32 bits wide. When such a field has a
    // report count above one, its first value is the element. Fields narrower than a byte are
    // single switches or padding; the camera reports codes such as 0x0102, which need a wider
    // field. None when the descriptor has no such field.
    std::optional<HidInputField> buttonElement() const;

private:
    std::vector<HidInputField> inputFields_;
    std::map<uint8_t, uint32_t> inputReportBits_;
    bool numbered_ = false;
    bool complete_ = true;
};

// The first value of `field` in a report payload, read little-endian from its bit offset and
// sign-extended when the field's logical minimum is negative. False when the payload is too short
// to hold it.
bool readHidFieldValue(const HidInputField &field, const uint8_t *payload, int length, int32_t *value);
