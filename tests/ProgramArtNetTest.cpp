#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"
#include "support/UdpReceiver.h"

#include <gtest/gtest.h>

namespace
{
    constexpr int artNetPort = 6454;
    constexpr int startFrame = 3750; // start 4500 thirtieths = 150 s at 25 fps

    const std::vector<uint8_t> header{0x41, 0x72, 0x74, 0x2d, 0x4e, 0x65, 0x74, 0x00, 0x00, 0x97, 0x00, 0x0e, 0x00, 0x00};

    /** The frame count since 00:00:00:00 at 25 fps that a packet carries. */
    int frameOf (const std::vector<uint8_t>& packet)
    {
        return ((packet[17] * 60 + packet[16]) * 60 + packet[15]) * 25 + packet[14];
    }

    class ProgramArtNetTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());

            ASSERT_TRUE (receiver.isBound()) << address << ":" << artNetPort << " is taken";

            program.writeSettingsFile (R"(<Config outputmode="2" outgoingfps="25" outgoingip=")" + address + R"(" prefoutputchannel="0" prefmidi="" start="4500"/>)");
            ASSERT_TRUE (program.start());
        }

        /** Every packet that arrives until none has come for the given time. */
        std::vector<std::vector<uint8_t>> receiveUntilQuiet (int quietMilliseconds)
        {
            std::vector<std::vector<uint8_t>> packets;

            while (auto packet = receiver.receive (quietMilliseconds))
                packets.push_back (*packet);

            return packets;
        }

        /** Collects the packets of a running clock for about the given time. */
        std::vector<std::vector<uint8_t>> receiveFor (int milliseconds)
        {
            std::vector<std::vector<uint8_t>> packets;
            const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

            while (juce::Time::getMillisecondCounter() < end)
                if (auto packet = receiver.receive (5000))
                    packets.push_back (*packet);
                else
                    break;

            return packets;
        }

        static void expectContiguousFrom (const std::vector<std::vector<uint8_t>>& packets, int firstFrame)
        {
            for (size_t i = 0; i < packets.size(); ++i)
            {
                const auto& packet = packets[i];
                ASSERT_EQ (packet.size(), 19u);
                EXPECT_EQ (std::vector<uint8_t> (packet.begin(), packet.begin() + 14), header);
                EXPECT_EQ (packet[18], 1) << "type of 25 fps";
                ASSERT_EQ (frameOf (packet), firstFrame + (int) i) << "packet " << i;
            }
        }

        const juce::String address = TestEnvironment::privateLoopbackAddress();
        UdpReceiver receiver{artNetPort, address};
        ProgramUnderTest program;
    };
} // namespace

TEST_F (ProgramArtNetTest, PlayPauseAndStopDriveThePackets)
{
    EXPECT_FALSE (receiver.receive (1500).has_value()) << "nothing is sent while stopped";

    program.clickContent (200, 239);
    const auto played = receiveFor (2000);
    ASSERT_GE (played.size(), 10u);
    expectContiguousFrom (played, startFrame);

    // Pause: what was already under way may still arrive, then nothing more.
    program.clickContent (200, 239);
    const auto inFlight = receiveUntilQuiet (500);
    EXPECT_FALSE (receiver.receive (1500).has_value());

    auto beforePause = played;
    beforePause.insert (beforePause.end(), inFlight.begin(), inFlight.end());
    expectContiguousFrom (beforePause, startFrame);

    // Stop returns to the start position: the next run begins with the start frame again.
    program.clickContent (150, 239);
    program.clickContent (200, 239);
    const auto replayed = receiveFor (1000);
    ASSERT_FALSE (replayed.empty());
    expectContiguousFrom (replayed, startFrame);

    EXPECT_EQ (program.closeAndWait(), 0);
}
