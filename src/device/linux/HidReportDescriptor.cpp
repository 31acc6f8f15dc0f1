#include "HidReportDescriptor.h"

namespace {

// Item types and tags of the short items this parser reads.
enum ItemType : uint8_t { Main = 0, Global = 1, Local = 2 };
enum MainTag : uint8_t { Input = 0x8 };
enum GlobalTag : uint8_t {
    UsagePage = 0x0,
    LogicalMinimum = 0x1,
    ReportSize = 0x7,
    ReportId = 0x8,
    ReportCount = 0x9,
    Push = 0xA,
    Pop = 0xB,
};
enum LocalTag : uint8_t { Usage = 0x0, UsageMinimum = 0x1 };

constexpr uint8_t LongItemPrefix = 0xFE;
constexpr uint32_t InputConstantFlag = 0x01;
constexpr uint32_t InputVariableFlag = 0x02;
constexpr uint16_t FirstVendorUsagePage = 0xFF00;
// The largest report hidraw passes on (HID_MAX_BUFFER_SIZE); a descriptor claiming more is broken.
constexpr uint64_t MaxReportBits = 4096 * 8;

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMinimum = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// The usages declared before a main item; they apply to that item only.
struct LocalState {
    bool hasUsage = false;
    uint16_t usage = 0;
    bool extended = false; // a 32-bit usage, which names its own usage page
    uint16_t usagePage = 0;
};

} // namespace

HidReportDescriptor HidReportDescriptor::parse(const QByteArray &bytes)
{
    HidReportDescriptor descriptor;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const int length = bytes.size();

    GlobalState global;
    std::vector<GlobalState> stack;
    LocalState local;

    int i = 0;
    while (i < length) {
        const uint8_t prefix = data[i];
        if (prefix == LongItemPrefix) {
            // Long items carry vendor data; their size is in the next byte.
            const int next = i + 3 <= length ? i + 3 + data[i + 1] : length + 1;
            if (next > length) {
                descriptor.complete_ = false;
                break;
            }
            i = next;
            continue;
        }
        const int size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        const uint8_t type = (prefix >> 2) & 0x3;
        const uint8_t tag = prefix >> 4;
        if (i + 1 + size > length) {
            descriptor.complete_ = false;
            break;
        }
        uint32_t value = 0;
        for (int b = 0; b < size; ++b)
            value |= uint32_t(data[i + 1 + b]) << (8 * b);
        // Item data is a two's-complement number of its own size where a sign makes sense.
        int32_t signedValue = int32_t(value);
        if (size > 0 && size < 4 && (value & (1u << (8 * size - 1))))
            signedValue = int32_t(value | (~0u << (8 * size)));
        i += 1 + size;

        if (type == Main) {
            if (tag == Input) {
                HidInputField field;
                field.reportId = global.reportId;
                field.bitSize = global.reportSize;
                field.count = global.reportCount;
                field.usagePage = local.extended ? local.usagePage : global.usagePage;
                field.usage = local.hasUsage ? local.usage : 0;
                field.constant = value & InputConstantFlag;
                field.variable = value & InputVariableFlag;
                field.logicalMinimum = global.logicalMinimum;
                uint32_t &reportBits = descriptor.inputReportBits_[global.reportId];
                field.bitOffset = reportBits;
                const uint64_t end = uint64_t(reportBits) + uint64_t(field.bitSize) * field.count;
                if (end > MaxReportBits) {
                    descriptor.complete_ = false;
                    break;
                }
                reportBits = uint32_t(end);
                descriptor.inputFields_.push_back(field);
            }
            // Every main item (Input, Output, Feature, Collection, End Collection) ends the scope
            // of the local items before it.
            local = LocalState();
        } else if (type == Global) {
            switch (tag) {
            case UsagePage:
                global.usagePage = uint16_t(value);
                break;
            case LogicalMinimum:
                global.logicalMinimum = signedValue;
                break;
            case ReportSize:
                global.reportSize = value;
                break;
            case ReportId:
                global.reportId = uint8_t(value);
                descriptor.numbered_ = true;
                break;
            case ReportCount:
                global.reportCount = value;
                break;
            case Push:
                stack.push_back(global);
                break;
            case Pop:
                if (!stack.empty()) {
                    global = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
        } else if (type == Local) {
            if ((tag == Usage || tag == UsageMinimum) && !local.hasUsage) {
                local.hasUsage = true;
                local.usage = uint16_t(value);
                if (size == 4) {
                    local.extended = true;
                    local.usagePage = uint16_t(value >> 16);
                }
            }
        }
    }
    return descriptor;
}

bool HidReportDescriptor::hasInputReport(uint8_t reportId) const
{
    return inputReportBits_.count(reportId) != 0;
}

int HidReportDescriptor::inputReportLength(uint8_t reportId) const
{
    const auto it = inputReportBits_.find(reportId);
    return it == inputReportBits_.end() ? 0 : int((it->second + 7) / 8);
}

std::optional<HidInputField> HidReportDescriptor::buttonElement() const
{
    for (const HidInputField &field : inputFields_) {
        if (!field.constant && field.variable && field.count > 0 && field.usagePage >= FirstVendorUsagePage
            && field.bitSize >= 8 && field.bitSize <= 32)
            return field;
    }
    return std::nullopt;
}

bool readHidFieldValue(const HidInputField &field, const uint8_t *payload, int length, int32_t *value)
{
    if (field.bitSize == 0 || field.bitSize > 32)
        return false;
    const uint64_t endBit = uint64_t(field.bitOffset) + field.bitSize;
    if (length < 0 || endBit > uint64_t(length) * 8)
        return false;
    // HID packs fields least significant bit first, from bit 0 of the first byte.
    uint32_t raw = 0;
    for (uint32_t bit = 0; bit < field.bitSize; ++bit) {
        const uint32_t at = field.bitOffset + bit;
        raw |= uint32_t((payload[at / 8] >> (at % 8)) & 1u) << bit;
    }
    if (field.logicalMinimum < 0 && field.bitSize < 32 && (raw & (1u << (field.bitSize - 1))))
        raw |= ~0u << field.bitSize;
    *value = int32_t(raw);
    return true;
}
