#include "engine/ArtTimecodeSender.h"
#include "engine/Ipv4Address.h"
#include "support/TestEnvironment.h"
#include "support/UdpReceiver.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    const std::vector<uint8_t> header{0x41, 0x72, 0x74, 0x2d, 0x4e, 0x65, 0x74, 0x00, 0x00, 0x97, 0x00, 0x0e, 0x00, 0x00};

    /** Frames, seconds, minutes, hours and type: the bytes after the header. */
    std::vector<uint8_t> timeBytesOf (const std::vector<uint8_t>& packet)
    {
        return {packet.begin() + 14, packet.end()};
    }

    class ArtTimecodeSenderTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (receiver.isBound()) << address << ":" << ArtTimecodeSender::artNetPort << " is taken";

            sender.artNetMode = true;
            sender.host = address;
        }

        /** Sends one frame at this counter and rate and returns what arrived. */
        std::vector<uint8_t> sendAndReceive (int frameCounter, int frameRate)
        {
            sender.frameCounter = frameCounter;
            sender.frameRate = frameRate;
            sender.sendFrame();
            return nextPacket();
        }

        std::vector<uint8_t> nextPacket()
        {
            const auto packet = receiver.receive (5000);
            EXPECT_TRUE (packet.has_value()) << "no packet arrived";
            return packet.value_or (std::vector<uint8_t> (ArtTimecodeSender::packetSize));
        }

        void expectNothingMoreArrives()
        {
            EXPECT_FALSE (receiver.receive (50).has_value());
        }

        const juce::String address = TestEnvironment::privateLoopbackAddress();
        UdpReceiver receiver{ArtTimecodeSender::artNetPort, address};
        ArtTimecodeSender sender;
    };
} // namespace

TEST_F (ArtTimecodeSenderTest, PacketCarriesHeaderTimeAndTypeAtEachRate)
{
    // Each packet carries the counter as it stood before the call.
    const auto oneHour = sendAndReceive (108000, 30);
    EXPECT_EQ (sender.frameCounter, 108001);
    ASSERT_EQ (oneHour.size(), 19u);
    EXPECT_EQ (std::vector<uint8_t> (oneHour.begin(), oneHour.begin() + 14), header);
    EXPECT_EQ (timeBytesOf (oneHour), (std::vector<uint8_t>{0, 0, 0, 1, 3}));

    const auto at25 = sendAndReceive (26, 25);
    EXPECT_EQ (std::vector<uint8_t> (at25.begin(), at25.begin() + 14), header);
    EXPECT_EQ (timeBytesOf (at25), (std::vector<uint8_t>{1, 1, 0, 0, 1}));

    EXPECT_EQ (timeBytesOf (sendAndReceive (23, 24)), (std::vector<uint8_t>{23, 0, 0, 0, 0}));
    EXPECT_EQ (timeBytesOf (sendAndReceive (2591999, 30)), (std::vector<uint8_t>{29, 59, 59, 23, 3}));
    EXPECT_EQ (timeBytesOf (sendAndReceive (2592000, 30)), (std::vector<uint8_t>{0, 0, 0, 0, 3}));
    expectNothingMoreArrives();
}

TEST_F (ArtTimecodeSenderTest, OnlyCountsWhenNothingCanBeSent)
{
    sender.frameRate = 30;

    // A negative counter counts up silently; the first packet is frame zero.
    sender.frameCounter = -2;
    sender.sendFrame();
    sender.sendFrame();
    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 1);
    EXPECT_EQ (timeBytesOf (nextPacket()), (std::vector<uint8_t>{0, 0, 0, 0, 3}));

    // Another output is selected.
    sender.artNetMode = false;
    for (int i = 0; i < 5; ++i)
        sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 6);

    // A rate without an Art-Net type.
    sender.artNetMode = true;
    sender.frameRate = 0;
    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 7);

    // The first packet after all of that carries the counter that advanced meanwhile.
    sender.frameRate = 30;
    sender.sendFrame();
    EXPECT_EQ (timeBytesOf (nextPacket()), (std::vector<uint8_t>{7, 0, 0, 0, 3}));
    expectNothingMoreArrives();
}

TEST_F (ArtTimecodeSenderTest, SendsOnlyToNumericAddresses)
{
    sender.frameRate = 30;
    sender.frameCounter = 10;

    // None of these may reach a name lookup.
    for (const auto* text : {"256.1.1.1", "not-an-address", "example.invalid", "localhost", "", "127.0.0.01", "127.0.0.1."})
    {
        sender.host = text;
        sender.sendFrame();
    }

    EXPECT_EQ (sender.frameCounter, 17);

    sender.host = address;
    sender.sendFrame();
    EXPECT_EQ (timeBytesOf (nextPacket()), (std::vector<uint8_t>{17, 0, 0, 0, 3}));
    expectNothingMoreArrives();
}

TEST_F (ArtTimecodeSenderTest, CounterWrapsAtTheLimit)
{
    sender.frameRate = 24;
    sender.frameCounter = std::numeric_limits<int>::max();

    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, std::numeric_limits<int>::min());
    EXPECT_EQ (nextPacket().size(), 19u);

    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, std::numeric_limits<int>::min() + 1);
    expectNothingMoreArrives();
}

TEST (NumericIpv4Address, AcceptsOnlyDottedDecimalQuads)
{
    for (const auto* text : {"127.0.0.1", "0.0.0.0", "255.255.255.255", "192.168.1.10", "10.0.0.255"})
        EXPECT_TRUE (isNumericIpv4Address (text)) << text;

    for (const auto* text : {"", "1.2.3", "1.2.3.4.5", "1..2.3", ".1.2.3", "1.2.3.4.", " 1.2.3.4", "1.2.3.4 ", "256.1.1.1", "1.2.3.1000", "192.168.01.1", "00.1.2.3", "1.2.3.a", "0x7f.0.0.1", "example.invalid", "::1"})
        EXPECT_FALSE (isNumericIpv4Address (text)) << text;
}
