#include "TestSupport.h"
#include "UdevTestbed.h"
#include "device/CameraIds.h"
#include "device/linux/HidReportDescriptor.h"
#include "device/linux/HidrawChannel.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<uint8_t> list)
{
    QByteArray result;
    for (uint8_t b : list)
        result.append(char(b));
    return result;
}

// A plain keyboard: no vendor-defined field at all.
const QByteArray KeyboardDescriptor = bytes({
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic Desktop, Keyboard, Collection
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,  // Key Codes, modifiers E0..E7
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  // 8 modifier bits
    0x95, 0x01, 0x75, 0x08, 0x81, 0x03,  // reserved byte
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x19, 0x00, 0x29, 0x65,
    0x81, 0x00,                          // six key codes (array)
    0xC0,
});

// --- Report descriptor ------------------------------------------------------------------------

TEST(HidReportDescriptor, LaysOutTheCameraReportsAndFindsItsButtonElement)
{
    const HidReportDescriptor descriptor = HidReportDescriptor::parse(cameraReportDescriptor());
    EXPECT_TRUE(descriptor.isComplete());
    EXPECT_TRUE(descriptor.numberedReports());
    ASSERT_EQ(descriptor.inputFields().size(), 5u);
    EXPECT_EQ(descriptor.inputReportLength(3), 2);
    EXPECT_EQ(descriptor.inputReportLength(1), 5);
    EXPECT_FALSE(descriptor.hasInputReport(2)) << "report 2 is output only";

    const auto element = descriptor.buttonElement();
    ASSERT_TRUE(element);
    EXPECT_EQ(element->reportId, 1);
    EXPECT_EQ(element->bitOffset, 8u) << "after four status bits and four bits of padding";
    EXPECT_EQ(element->bitSize, 16u);
    EXPECT_EQ(element->usagePage, 0xFF00);
    EXPECT_EQ(element->usage, 0x02);
    EXPECT_EQ(element->logicalMinimum, 0);
}

// Small descriptors, each naming what the button-element rule must make of it.
struct ElementCase {
    const char *name;
    QByteArray descriptor;
    bool found;
    uint32_t bitOffset = 0;
    uint32_t bitSize = 0;
    uint16_t usagePage = 0;
};

void PrintTo(const ElementCase &c, std::ostream *os)
{
    *os << c.name;
}

class ButtonElementRule : public testing::TestWithParam<ElementCase> {};

TEST_P(ButtonElementRule, PicksTheFirstWideVendorDataVariable)
{
    const ElementCase &c = GetParam();
    const auto element = HidReportDescriptor::parse(c.descriptor).buttonElement();
    ASSERT_EQ(bool(element), c.found);
    if (!element)
        return;
    EXPECT_EQ(element->bitOffset, c.bitOffset);
    EXPECT_EQ(element->bitSize, c.bitSize);
    EXPECT_EQ(element->usagePage, c.usagePage);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ButtonElementRule,
    testing::Values(
        ElementCase{"keyboard has none", KeyboardDescriptor, false},
        ElementCase{"vendor array is not a variable",
                    bytes({0x06, 0x00, 0xFF, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00}), false},
        ElementCase{"vendor constant is padding",
                    bytes({0x06, 0x00, 0xFF, 0x75, 0x10, 0x95, 0x01, 0x81, 0x03}), false},
        ElementCase{"wider than 32 bits",
                    bytes({0x06, 0x00, 0xFF, 0x75, 0x40, 0x95, 0x01, 0x81, 0x02}), false},
        ElementCase{"narrow vendor fields skipped, offsets counted",
                    bytes({0x06, 0xA0, 0xFF, 0x75, 0x04, 0x95, 0x03, 0x81, 0x02,  // 12 bits
                           0x75, 0x08, 0x95, 0x02, 0x81, 0x02}),
                    true, 12, 8, 0xFFA0},
        ElementCase{"extended usage names its own page",
                    bytes({0x05, 0x0C, 0x0B, 0x02, 0x00, 0x00, 0xFF,  // Usage (0xFF00:0002)
                           0x75, 0x20, 0x95, 0x01, 0x81, 0x02}),
                    true, 0, 32, 0xFF00},
        ElementCase{"pop restores the vendor page",
                    bytes({0x06, 0x00, 0xFF, 0x75, 0x10, 0x95, 0x01,  // vendor page, 16 bits
                           0xA4,                                      // Push
                           0x05, 0x0C, 0x81, 0x02,                    // a consumer field
                           0xB4,                                      // Pop
                           0x81, 0x02}),                              // back on the vendor page
                    true, 16, 16, 0xFF00},
        ElementCase{"long item skipped",
                    bytes({0xFE, 0x02, 0x10, 0xAA, 0xBB,            // long item, 2 data bytes
                           0x06, 0x00, 0xFF, 0x75, 0x10, 0x95, 0x01, 0x81, 0x02}),
                    true, 0, 16, 0xFF00}),
    [](const testing::TestParamInfo<ElementCase> &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(HidReportDescriptor, TruncatedDescriptorKeepsTheItemsBeforeTheFault)
{
    QByteArray truncated = cameraReportDescriptor();
    truncated.chop(9);  // drops the output report's items...
    truncated.append(char(0x26));  // ...and with a Logical Maximum missing its two data bytes
    const HidReportDescriptor descriptor = HidReportDescriptor::parse(truncated);
    EXPECT_FALSE(descriptor.isComplete());
    EXPECT_TRUE(descriptor.buttonElement());

    EXPECT_FALSE(HidReportDescriptor::parse(bytes({0xFE, 0x05, 0x00, 0x01})).isComplete())
        << "long item running past the end";
    EXPECT_FALSE(HidReportDescriptor::parse(bytes({0x75, 0xFF, 0x96, 0xFF, 0xFF, 0x81, 0x02}))
                     .isComplete())
        << "a report larger than hidraw passes on";
}

TEST(HidReportDescriptor, DeviceWithoutReportIdsHasReportZero)
{
    const HidReportDescriptor descriptor = HidReportDescriptor::parse(KeyboardDescriptor);
    EXPECT_FALSE(descriptor.numberedReports());
    EXPECT_TRUE(descriptor.hasInputReport(0));
    EXPECT_EQ(descriptor.inputReportLength(0), 8);
}

TEST(HidFieldValue, ReadsLittleEndianAtTheBitOffsetAndSignExtendsSignedFields)
{
    HidInputField field;
    field.bitOffset = 8;
    field.bitSize = 16;
    const QByteArray payload = bytes({0xAA, 0x02, 0x81, 0x00, 0x00});
    const auto *data = reinterpret_cast<const uint8_t *>(payload.constData());
    int32_t value = 0;
    ASSERT_TRUE(readHidFieldValue(field, data, payload.size(), &value));
    EXPECT_EQ(value, 0x8102);

    field.logicalMinimum = -32768;
    ASSERT_TRUE(readHidFieldValue(field, data, payload.size(), &value));
    EXPECT_EQ(value, int32_t(0xFFFF8102)) << "negative logical minimum: two's complement";

    // Twelve bits from the middle of byte 0: 0xA (high nibble of 0xAA) and 0x02 -> 0x02A.
    field.bitOffset = 4;
    field.bitSize = 12;
    field.logicalMinimum = 0;
    ASSERT_TRUE(readHidFieldValue(field, data, payload.size(), &value));
    EXPECT_EQ(value, 0x02A);

    field.bitOffset = 24;
    field.bitSize = 24;
    EXPECT_FALSE(readHidFieldValue(field, data, payload.size(), &value))
        << "bits 24..47 do not fit in 5 bytes";

    // Logical minimum -1 in one byte (0x15 0xFF) is read as negative.
    const auto element =
        HidReportDescriptor::parse(bytes({0x06, 0x00, 0xFF, 0x15, 0xFF, 0x75, 0x08, 0x95, 0x01,
                                          0x81, 0x02}))
            .buttonElement();
    ASSERT_TRUE(element);
    EXPECT_EQ(element->logicalMinimum, -1);
    const uint8_t minusTwo = 0xFE;
    ASSERT_TRUE(readHidFieldValue(*element, &minusTwo, 1, &value));
    EXPECT_EQ(value, -2);
}

// --- The channel on a umockdev hidraw node ----------------------------------------------------

class HidrawChannelTest : public testing::Test {
protected:
    void SetUp() override
    {
        syspath = bed.addHidrawDevice({CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1,
                                       QStringLiteral("2")},
                                      0);
        device = std::make_unique<FakeHidraw>(bed, QStringLiteral("/dev/hidraw0"), descriptor());
        channel = HidrawChannel::open(QStringLiteral("/dev/hidraw0"));
        ASSERT_TRUE(channel);
        QObject::connect(channel.get(), &HidChannel::eventsAvailable, channel.get(), [this] {
            eventThreads << QThread::currentThread();
            int32_t value;
            while (channel->nextEvent(&value))
                events << value;
        });
    }
    void TearDown() override
    {
        channel.reset();
        device.reset();
    }
    virtual QByteArray descriptor() const { return cameraReportDescriptor(); }

    // Sends each report and waits until the channel has read it.
    bool deliver(const QList<QByteArray> &reports)
    {
        for (const QByteArray &report : reports) {
            device->sendInputReport(report);
            if (!waitUntil([&] { return device->queuedInputReports() == 0; }))
                return false;
        }
        return true;
    }

    UdevTestbed bed;
    QString syspath;
    std::unique_ptr<FakeHidraw> device;
    std::unique_ptr<HidrawChannel> channel;
    QList<int32_t> events;
    QList<QThread *> eventThreads;
};

TEST_F(HidrawChannelTest, WritesOutputReportsWithTheReportIdFirst)
{
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Output, 2,
                                 bytes({0x02, 0x00, 0x03, 0x00, 0x00}), 100),
              HidChannel::Ok);
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Output, 2, bytes({0xFF, 0, 0, 0}), 100),
              HidChannel::Ok);
    // Only output reports are written.
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Input, 1, bytes({1}), 100),
              HidChannel::Failed);
    ASSERT_EQ(device->writes().size(), 2);
    EXPECT_EQ(device->writes()[0].toHex(' '), "02 02 00 03 00 00");
    EXPECT_EQ(device->writes()[1].toHex(' '), "02 ff 00 00 00");
}

TEST_F(HidrawChannelTest, WriteTimesOutWhenTheNodeTakesNothing)
{
    device->fillFifo();
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Output, 2, bytes({1, 2, 3, 4, 5}), 20),
              HidChannel::TimedOut);
    EXPECT_TRUE(device->writes().isEmpty());
}

TEST_F(HidrawChannelTest, GetsInputReportsWithoutTheirReportId)
{
    device->setInputReport(1, bytes({0x00, 0x01, 0x00, 0x00, 0x00, 0x77}));
    QByteArray reply(5, '\0');
    ASSERT_EQ(channel->getReport(HidChannel::ReportType::Input, 1, reply, 100), HidChannel::Ok);
    EXPECT_EQ(reply.toHex(' '), "00 01 00 00 00") << "the asked length, after the ID";
    ASSERT_EQ(device->getInputRequests().size(), 1);
    EXPECT_EQ(device->getInputRequests()[0].toHex(' '), "01 00 00 00 00 00")
        << "HIDIOCGINPUT gets the report ID in front of room for the payload";

    // A shorter answer leaves nothing of the buffer's old contents behind.
    device->setInputReport(1, bytes({0xAA, 0xBB}));
    reply = QByteArray(5, '\xEE');
    ASSERT_EQ(channel->getReport(HidChannel::ReportType::Input, 1, reply, 100), HidChannel::Ok);
    EXPECT_EQ(reply.toHex(' '), "aa bb 00 00 00");

    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Output, 2, reply, 100),
              HidChannel::Failed);
}

TEST_F(HidrawChannelTest, GetReportFailsWithoutFallbackWhenTheDeviceOrKernelCannotAnswer)
{
    QByteArray reply(5, '\0');
    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Input, 4, reply, 100), HidChannel::Failed)
        << "the device stalls a report it does not have";

    device->setInputReport(1, bytes({0x00, 0x01, 0x00, 0x00, 0x00}));
    device->setGetInputSupported(false);
    device->sendInputReport(cameraButtonReport(0x0001));
    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Input, 1, reply, 100), HidChannel::Failed);
    EXPECT_EQ(device->readCalls(), 0) << "no interrupt report is taken instead";
}

TEST_F(HidrawChannelTest, ChangesOfTheButtonElementBecomeEventsInOrder)
{
    ASSERT_TRUE(channel->startEvents());
    ASSERT_TRUE(deliver({
        cameraButtonReport(0x0001),
        cameraButtonReport(0x0001, 0x05),  // other bits changed, the element did not
        cameraButtonReport(0x0000),
        bytes({0x03, 0xE9, 0x00}),   // a consumer-control key: another control
        cameraButtonReport(0x0102),
        cameraButtonReport(0x0202),
        cameraButtonReport(0x0302),
    }));
    ASSERT_TRUE(waitUntil([&] { return events.size() >= 5; }));
    EXPECT_EQ(events, QList<int32_t>({0x0001, 0x0000, 0x0102, 0x0202, 0x0302}));
    EXPECT_EQ(eventThreads.first(), QThread::currentThread()) << "on the channel's thread";
}

TEST_F(HidrawChannelTest, GarbageReportsAreSkipped)
{
    ASSERT_TRUE(channel->startEvents());
    ASSERT_TRUE(deliver({
        bytes({0x09, 0x01, 0x01, 0x00, 0x00, 0x00}),        // unknown report ID
        bytes({0x01, 0x00, 0x05}),                          // too short for the element
        bytes({0x01, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00}),  // longer than report 1
        bytes({0x02, 0x00, 0x06, 0x00, 0x00, 0x00}),        // an output report's ID
        cameraButtonReport(0x0103),
    }));
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(events, QList<int32_t>({0x0103}));
}

TEST_F(HidrawChannelTest, StoppedEventsLeaveReportsUnreadUntilStartedAgain)
{
    ASSERT_TRUE(channel->startEvents());
    channel->stopEvents();
    device->sendInputReport(cameraButtonReport(0x0001));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(device->queuedInputReports(), 1);
    EXPECT_TRUE(events.isEmpty());

    ASSERT_TRUE(channel->startEvents());
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events, QList<int32_t>({0x0001}));
}

TEST_F(HidrawChannelTest, EveryCallFailsSoftlyOnceTheDeviceIsGone)
{
    ASSERT_TRUE(channel->startEvents());
    device->setGone();
    // The node stays readable; reading stops at the first failure instead of spinning.
    ASSERT_TRUE(waitUntil([&] { return device->readCalls() >= 1; }));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(device->readCalls(), 1);

    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Output, 2, bytes({1, 2, 3, 4, 5}), 100),
              HidChannel::Failed);
    QByteArray reply(5, '\0');
    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Input, 1, reply, 100), HidChannel::Failed);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(HidrawChannelTest, StartEventsFailsWhenTheDescriptorCannotBeRead)
{
    device->setGone();
    EXPECT_FALSE(channel->startEvents());
}

TEST_F(HidrawChannelTest, OpeningAMissingNodeGivesNoChannel)
{
    EXPECT_FALSE(HidrawChannel::open(QStringLiteral("/dev/hidraw7")));
    EXPECT_FALSE(HidrawChannel::open(QString()));
}

class HidrawChannelWithoutElement : public HidrawChannelTest {
protected:
    QByteArray descriptor() const override { return KeyboardDescriptor; }
};

TEST_F(HidrawChannelWithoutElement, StartEventsFailsAndNothingIsRead)
{
    EXPECT_FALSE(channel->startEvents());
    device->sendInputReport(bytes({0x02, 0, 0x04, 0, 0, 0, 0, 0}));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(device->readCalls(), 0);
    EXPECT_TRUE(events.isEmpty());
}


} // namespace
