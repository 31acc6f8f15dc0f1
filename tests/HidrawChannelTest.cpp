#include "TestSupport.h"
#include "UdevTestbed.h"
#include "device/CameraIds.h"
#include "device/linux/HidReportDescriptor.h"
#include "device/linux/HidrawChannel.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray hex(const char *items) { return QByteArray::fromHex(items); } // spaces between items are skipped

// A plain keyboard, no report IDs: 8 modifier bits, a reserved byte, six key codes (array).
const QByteArray KeyboardDescriptor = hex("0501 0906 A101 0507 19E0 29E7 1500 2501 7501 9508 8102 9501 7508 8103"
                                          "9506 7508 1500 2565 1900 2965 8100 C0");

TEST(HidReportDescriptor, LaysOutReportsWithAndWithoutIdsAndKeepsWhatCameBeforeAFault)
{
    const HidReportDescriptor camera = HidReportDescriptor::parse(cameraReportDescriptor());
    EXPECT_TRUE(camera.isComplete());
    EXPECT_TRUE(camera.numberedReports());
    EXPECT_EQ(camera.inputReportLength(3), 2);
    EXPECT_EQ(camera.inputReportLength(1), 4) << "five bytes on the wire with the ID";
    EXPECT_FALSE(camera.hasInputReport(2)) << "report 2 is output only";

    const HidReportDescriptor keyboard = HidReportDescriptor::parse(KeyboardDescriptor);
    EXPECT_FALSE(keyboard.numberedReports());
    EXPECT_TRUE(keyboard.hasInputReport(0));
    EXPECT_EQ(keyboard.inputReportLength(0), 8);

    // A truncated descriptor keeps the items before the fault.
    QByteArray truncated = cameraReportDescriptor();
    truncated.chop(9);            // drops the output report's items...
    truncated.append(char(0x26)); // ...and ends in a Logical Maximum without its data bytes
    const HidReportDescriptor descriptor = HidReportDescriptor::parse(truncated);
    EXPECT_FALSE(descriptor.isComplete());
    EXPECT_TRUE(descriptor.buttonElement());

    EXPECT_FALSE(HidReportDescriptor::parse(hex("FE050001")).isComplete()) << "long item running past the end";
    EXPECT_FALSE(HidReportDescriptor::parse(hex("75FF 96FFFF 8102")).isComplete()) << "a report larger than hidraw passes on";
}

TEST(HidReportDescriptor, ButtonElementIsTheFirstWideVendorDataVariable)
{
    const struct {
        const char *name;
        QByteArray descriptor;
        bool found;
        uint32_t bitOffset = 0, bitSize = 0;
        uint16_t usagePage = 0;
        int32_t logicalMinimum = 0;
    } cases[] = {
        {"keyboard has none", KeyboardDescriptor, false},
        {"vendor array", hex("0600FF 7510 9501 8100"), false},
        {"vendor constant", hex("0600FF 7510 9501 8103"), false},
        {"wider than 32 bits", hex("0600FF 7540 9501 8102"), false},
        {"narrow fields skipped, offsets counted", hex("06A0FF 7504 9503 8102 7508 9502 8102"), true, 12, 8, 0xFFA0},
        {"extended usage names its page", hex("050C 0B020000FF 7520 9501 8102"), true, 0, 32, 0xFF00},
        // Push, a consumer field, Pop: back on the vendor page.
        {"pop restores the page", hex("0600FF 7510 9501 A4 050C 8102 B4 8102"), true, 16, 16, 0xFF00},
        {"long item skipped", hex("FE0210AABB 0600FF 7510 9501 8102"), true, 0, 16, 0xFF00},
        {"one-byte minimum 0xFF is -1", hex("0600FF 15FF 7508 9501 8102"), true, 0, 8, 0xFF00, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto element = HidReportDescriptor::parse(c.descriptor).buttonElement();
        ASSERT_EQ(bool(element), c.found);
        if (element) {
            EXPECT_EQ(element->bitOffset, c.bitOffset);
            EXPECT_EQ(element->bitSize, c.bitSize);
            EXPECT_EQ(element->usagePage, c.usagePage);
            EXPECT_EQ(element->logicalMinimum, c.logicalMinimum);
        }
    }
}

TEST(HidFieldValue, ReadsLittleEndianAtTheBitOffsetAndSignExtendsSignedFields)
{
    const QByteArray payload = hex("AA 02 81 00 00");
    auto read = [&](uint32_t bitOffset, uint32_t bitSize, int32_t logicalMinimum) {
        HidInputField field;
        field.bitOffset = bitOffset;
        field.bitSize = bitSize;
        field.logicalMinimum = logicalMinimum;
        int32_t value = 0;
        return readHidFieldValue(field, reinterpret_cast<const uint8_t *>(payload.constData()), payload.size(), &value)
                   ? std::optional(value)
                   : std::nullopt;
    };
    EXPECT_EQ(read(8, 16, 0), 0x8102);
    EXPECT_EQ(read(8, 16, -32768), int32_t(0xFFFF8102)) << "two's complement";
    EXPECT_EQ(read(0, 8, -1), -86) << "0xAA in a signed byte";
    EXPECT_EQ(read(4, 12, 0), 0x02A) << "high nibble of 0xAA, then 0x02";
    EXPECT_EQ(read(24, 24, 0), std::nullopt) << "bits 24..47 do not fit in 5 bytes";
}

class HidrawChannelTest : public testing::Test {
protected:
    void SetUp() override
    {
        bed.addHidrawDevice({CameraIds::VendorId, CameraIds::ArvoProductId, 0x0102, 1, QStringLiteral("2")}, 0);
        device = std::make_unique<FakeHidraw>(bed, QStringLiteral("/dev/hidraw0"), cameraReportDescriptor());
        channel = HidrawChannel::open(QStringLiteral("/dev/hidraw0"));
        ASSERT_TRUE(channel);
        QObject::connect(channel.get(), &HidChannel::eventsAvailable, channel.get(), [this] {
            if (!drain)
                return;
            eventThreads << QThread::currentThread();
            int32_t value;
            while (channel->nextEvent(&value))
                events << value;
        });
    }
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
    int write(const QByteArray &report, int timeoutMs = 100)
    {
        return channel->setReport(HidChannel::ReportType::Output, report, timeoutMs);
    }
    int getInput(uint8_t id, QByteArray &reply) { return channel->getReport(HidChannel::ReportType::Input, id, reply, 100); }

    UdevTestbed bed;
    std::unique_ptr<FakeHidraw> device;
    std::unique_ptr<HidrawChannel> channel; // closed before the device end goes
    QList<int32_t> events;
    QList<QThread *> eventThreads;
    bool drain = true; // whether an announcement empties the queue
};

TEST_F(HidrawChannelTest, WritesOutputReportsExactlyAsGivenAndTimesOutWhenStuck)
{
    EXPECT_EQ(write(hex("0200030000")), HidChannel::Ok);
    EXPECT_EQ(write(hex("FF000000")), HidChannel::Ok);
    EXPECT_EQ(channel->setReport(HidChannel::ReportType::Input, hex("01"), 100), HidChannel::Failed) << "only output reports are written";
    device->fillFifo(); // the node takes nothing more
    EXPECT_EQ(write(hex("0102030405"), 20), HidChannel::TimedOut);
    EXPECT_EQ(device->writes(), QList<QByteArray>({hex("0200030000"), hex("FF000000")}))
        << "byte 0 is the report ID; nothing is put in front";
}

TEST_F(HidrawChannelTest, GetsWholeInputReportsWithTheirIdFirstAndWithoutFallback)
{
    device->setInputReport(1, hex("01000000 77"));
    QByteArray reply(5, '\0');
    ASSERT_EQ(getInput(1, reply), HidChannel::Ok);
    EXPECT_EQ(reply, hex("01 01000000")) << "the asked length, the ID in byte 0";
    EXPECT_EQ(device->getInputRequests(), QList<QByteArray>({hex("01 00000000")}))
        << "HIDIOCGINPUT gets the report ID in byte 0 of the report's room";

    // A shorter answer leaves nothing of the buffer's old contents behind.
    device->setInputReport(1, hex("AABB"));
    reply = QByteArray(5, '\xEE');
    ASSERT_EQ(getInput(1, reply), HidChannel::Ok);
    EXPECT_EQ(reply, hex("01 AABB0000"));

    EXPECT_EQ(channel->getReport(HidChannel::ReportType::Output, 2, reply, 100), HidChannel::Failed);
    EXPECT_EQ(getInput(4, reply), HidChannel::Failed) << "the device stalls";
    // A kernel without HIDIOCGINPUT: no interrupt report is taken instead.
    device->setGetInputSupported(false);
    device->sendInputReport(cameraButtonReport(0x0001));
    EXPECT_EQ(getInput(1, reply), HidChannel::Failed);
    EXPECT_EQ(device->readCalls(), 0);
}

TEST_F(HidrawChannelTest, ChangesOfTheButtonElementBecomeEventsInOrderAndGarbageIsSkipped)
{
    ASSERT_TRUE(channel->startEvents());
    ASSERT_TRUE(deliver({
        cameraButtonReport(0x0001),
        cameraButtonReport(0x0001, 0x05), // other bits changed, the element did not
        hex("09 0101000000"),             // unknown report ID
        hex("01 0005"),                   // too short for the element
        hex("01 0005000000"),             // longer than report 1
        hex("02 00060000"),               // an output report's ID
        cameraButtonReport(0x0000),
        hex("03 E900"), // a consumer-control key: another control
        cameraButtonReport(0x0102),
        cameraButtonReport(0x0202),
    }));
    ASSERT_TRUE(waitUntil([&] { return events.size() >= 4; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(events, QList<int32_t>({0x0001, 0x0000, 0x0102, 0x0202}));
    EXPECT_EQ(eventThreads.first(), QThread::currentThread()) << "on the channel's thread";
}

TEST_F(HidrawChannelTest, FullQueueDropsNewEventsButStillAnnouncesThemSoItIsDrained)
{
    ASSERT_TRUE(channel->startEvents());
    drain = false;
    QList<QByteArray> presses;
    for (uint16_t value = 1; value <= 9; ++value)
        presses << cameraButtonReport(value);
    ASSERT_TRUE(deliver(presses));
    EXPECT_EQ(channel->queuedEvents(), HidChannel::QueueDepth);
    drain = true;
    ASSERT_TRUE(deliver({cameraButtonReport(0x0302)}));
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events, QList<int32_t>({1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(deliver({cameraButtonReport(0x0001)}));
    ASSERT_TRUE(waitUntil([&] { return events.size() == 9; }));
    EXPECT_EQ(events.last(), 0x0001);
}

TEST_F(HidrawChannelTest, StoppedEventsLeaveReportsUnreadUntilStartedAgain)
{
    ASSERT_TRUE(channel->startEvents());
    channel->stopEvents();
    device->sendInputReport(cameraButtonReport(0x0001));
    spin();
    EXPECT_EQ(device->queuedInputReports(), 1);

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

TEST_F(HidrawChannelTest, NoChannelOrNoEventsWithoutANodeADescriptorOrAButtonElement)
{
    EXPECT_FALSE(HidrawChannel::open(QStringLiteral("/dev/hidraw7")));
    EXPECT_FALSE(HidrawChannel::open(QString()));

    bed.addHidrawDevice({0xfe22, 0x0b01, 0x0100, 1, QStringLiteral("4")}, 1);
    FakeHidraw keyboard(bed, QStringLiteral("/dev/hidraw1"), KeyboardDescriptor);
    const auto keyboardChannel = HidrawChannel::open(QStringLiteral("/dev/hidraw1"));
    ASSERT_TRUE(keyboardChannel);
    EXPECT_FALSE(keyboardChannel->startEvents());
    keyboard.sendInputReport(hex("0200040000000000"));
    spin();
    EXPECT_EQ(keyboard.readCalls(), 0) << "a channel without events reads nothing";

    device->setGone();
    EXPECT_FALSE(channel->startEvents()) << "the descriptor cannot be read";
}

} // namespace
