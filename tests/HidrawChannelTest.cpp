#include "TestSupport.h"
#include "UdevTestbed.h"
#include "device/CameraIds.h"
#include "device/linux/HidReportDescriptor.h"
#include "device/linux/HidrawChannel.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char *items)
{
    return QByteArray::fromHex(items); // spaces between items are skipped
}

// A plain keyboard, no report IDs: 8 modifier bits, a reserved byte, six key codes (array).
const QByteArray KeyboardDescriptor =
    hex("0501 0906 A101 0507 19E0 29E7 1500 2501 7501 9508 8102 9501 7508 8103"
        "9506 7508 1500 2565 1900 2965 8100 C0");

// --- Report descriptor ------------------------------------------------------------------------

TEST(HidReportDescriptor, LaysOutReportsWithAndWithoutIds)
{
    const HidReportDescriptor camera = HidReportDescriptor::parse(cameraReportDescriptor());
    EXPECT_TRUE(camera.isComplete());
    EXPECT_TRUE(camera.numberedReports());
    EXPECT_EQ(camera.inputReportLength(3), 2);
    EXPECT_EQ(camera.inputReportLength(1), 5);
    EXPECT_FALSE(camera.hasInputReport(2)) << "report 2 is output only";
    const auto element = camera.buttonElement();
    ASSERT_TRUE(element);
    EXPECT_EQ(element->reportId, 1);
    EXPECT_EQ(element->bitOffset, 8u) << "after four status bits and four bits of padding";
    EXPECT_EQ(element->bitSize, 16u);

    const HidReportDescriptor keyboard = HidReportDescriptor::parse(KeyboardDescriptor);
    EXPECT_FALSE(keyboard.numberedReports());
    EXPECT_TRUE(keyboard.hasInputReport(0));
    EXPECT_EQ(keyboard.inputReportLength(0), 8);
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
    if (element) {
        EXPECT_EQ(element->bitOffset, c.bitOffset);
        EXPECT_EQ(element->bitSize, c.bitSize);
        EXPECT_EQ(element->usagePage, c.usagePage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ButtonElementRule,
    testing::Values(
        ElementCase{"keyboard has none", KeyboardDescriptor, false},
        ElementCase{"vendor array", hex("0600FF 7510 9501 8100"), false},
        ElementCase{"vendor constant", hex("0600FF 7510 9501 8103"), false},
        ElementCase{"wider than 32 bits", hex("0600FF 7540 9501 8102"), false},
        ElementCase{"narrow vendor fields skipped, offsets counted",
                    hex("06A0FF 7504 9503 8102  7508 9502 8102"), true, 12, 8, 0xFFA0},
        ElementCase{"extended usage names its own page", hex("050C 0B020000FF 7520 9501 8102"),
                    true, 0, 32, 0xFF00},
        // Push, a consumer field, Pop: back on the vendor page.
        ElementCase{"pop restores the page", hex("0600FF 7510 9501 A4 050C 8102 B4 8102"), true,
                    16, 16, 0xFF00},
        ElementCase{"long item skipped", hex("FE0210AABB 0600FF 7510 9501 8102"), true, 0, 16,
                    0xFF00}));

TEST(HidReportDescriptor, TruncatedDescriptorKeepsTheItemsBeforeTheFault)
{
    QByteArray truncated = cameraReportDescriptor();
    truncated.chop(9);             // drops the output report's items...
    truncated.append(char(0x26));  // ...and ends in a Logical Maximum without its data bytes
    const HidReportDescriptor descriptor = HidReportDescriptor::parse(truncated);
    EXPECT_FALSE(descriptor.isComplete());
    EXPECT_TRUE(descriptor.buttonElement());

    EXPECT_FALSE(HidReportDescriptor::parse(hex("FE050001")).isComplete())
        << "long item running past the end";
    EXPECT_FALSE(HidReportDescriptor::parse(hex("75FF 96FFFF 8102")).isComplete())
        << "a report larger than hidraw passes on";
}

TEST(HidFieldValue, ReadsLittleEndianAtTheBitOffsetAndSignExtendsSignedFields)
{
    const QByteArray payload = hex("AA 02 81 00 00");
    const auto *data = reinterpret_cast<const uint8_t *>(payload.constData());
    struct Case {
        uint32_t bitOffset, bitSize;
        int32_t logicalMinimum;
        bool fits;
        int32_t value;
    };
    const Case cases[] = {
        {8, 16, 0, true, 0x8102},
        {8, 16, -32768, true, int32_t(0xFFFF8102)},  // two's complement
        {4, 12, 0, true, 0x02A},                     // high nibble of 0xAA, then 0x02
        {24, 24, 0, false, 0},                       // bits 24..47 do not fit in 5 bytes
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bitOffset);
        HidInputField field;
        field.bitOffset = c.bitOffset;
        field.bitSize = c.bitSize;
        field.logicalMinimum = c.logicalMinimum;
        int32_t value = 0;
        ASSERT_EQ(readHidFieldValue(field, data, payload.size(), &value), c.fits);
        if (c.fits)
            EXPECT_EQ(value, c.value);
    }

    // A one-byte Logical Minimum of 0xFF is -1, which makes the field signed.
    const auto element = HidReportDescriptor::parse(hex("0600FF 15FF 7508 9501 8102")).buttonElement();
    ASSERT_TRUE(element);
    EXPECT_EQ(element->logicalMinimum, -1);
    const uint8_t minusTwo = 0xFE;
    int32_t value = 0;
    ASSERT_TRUE(readHidFieldValue(*element, &minusTwo, 1, &value));
    EXPECT_EQ(value, -2);
}

// --- The channel on a umockdev hidraw node ----------------------------------------------------

class HidrawChannelTest : public testing::Test {
protected:
    void SetUp() override
    {
        bed.addHidrawDevice({CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1,
                             QStringLiteral("2")}, 0);
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
    static void spin()
    {
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
    }
    int write(const QByteArray &payload, int timeoutMs = 100)
    {
        return channel->setReport(HidChannel::ReportType::Output, 2, payload, timeoutMs);
    }
    int getInput(uint8_t id, QByteArray &reply)
    {
        return channel->getReport(HidChannel::ReportType::Input, id, reply, 100);
    }

    UdevTestbed bed;
    std::unique_ptr<FakeHidraw> device;
    std::unique_ptr<HidrawChannel> channel;
    QList<int32_t> events;
    QList<QThread *> eventThreads;
};

TEST_F(HidrawChannelTest, WritesOutputReportsWithTheReportIdFirst)
{
    EXPECT_EQ(write(hex("0200030000")), HidChannel::Ok);
    EXPECT_EQ(write(hex("FF000000")), HidChannel::Ok);
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Input, 1, hex("01"), 100),
              HidChannel::Failed) << "only output reports are written";
    EXPECT_EQ(device->writes(), QList<QByteArray>({hex("02 0200030000"), hex("02 FF000000")}));
}

TEST_F(HidrawChannelTest, WriteTimesOutWhenTheNodeTakesNothing)
{
    device->fillFifo();
    EXPECT_EQ(write(hex("0102030405"), 20), HidChannel::TimedOut);
    EXPECT_TRUE(device->writes().isEmpty());
}

TEST_F(HidrawChannelTest, GetsInputReportsWithoutTheirReportId)
{
    device->setInputReport(1, hex("0001000000 77"));
    QByteArray reply(5, '\0');
    ASSERT_EQ(getInput(1, reply), HidChannel::Ok);
    EXPECT_EQ(reply, hex("0001000000")) << "the asked length, after the ID";
    EXPECT_EQ(device->getInputRequests(), QList<QByteArray>({hex("01 0000000000")}))
        << "HIDIOCGINPUT gets the report ID in front of room for the payload";

    // A shorter answer leaves nothing of the buffer's old contents behind.
    device->setInputReport(1, hex("AABB"));
    reply = QByteArray(5, '\xEE');
    ASSERT_EQ(getInput(1, reply), HidChannel::Ok);
    EXPECT_EQ(reply, hex("AABB000000"));

    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Output, 2, reply, 100), HidChannel::Failed);
}

TEST_F(HidrawChannelTest, GetReportFailsWithoutFallbackWhenTheDeviceOrKernelCannotAnswer)
{
    QByteArray reply(5, '\0');
    EXPECT_EQ(getInput(4, reply), HidChannel::Failed) << "the device stalls";

    device->setInputReport(1, hex("0001000000"));
    device->setGetInputSupported(false);
    device->sendInputReport(cameraButtonReport(0x0001));
    EXPECT_EQ(getInput(1, reply), HidChannel::Failed);
    EXPECT_EQ(device->readCalls(), 0) << "no interrupt report is taken instead";
}

TEST_F(HidrawChannelTest, ChangesOfTheButtonElementBecomeEventsInOrder)
{
    ASSERT_TRUE(channel->startEvents());
    ASSERT_TRUE(deliver({
        cameraButtonReport(0x0001),
        cameraButtonReport(0x0001, 0x05),  // other bits changed, the element did not
        cameraButtonReport(0x0000),
        hex("03 E900"),                    // a consumer-control key: another control
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
        hex("09 0101000000"),    // unknown report ID
        hex("01 0005"),          // too short for the element
        hex("01 000500000000"),  // longer than report 1
        hex("02 0006000000"),    // an output report's ID
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
    spin();
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
    spin();
    EXPECT_EQ(device->readCalls(), 1);

    EXPECT_EQ(write(hex("0102030405")), HidChannel::Failed);
    QByteArray reply(5, '\0');
    EXPECT_EQ(getInput(1, reply), HidChannel::Failed);
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
    device->sendInputReport(hex("02 00040000000000"));
    spin();
    EXPECT_EQ(device->readCalls(), 0);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
