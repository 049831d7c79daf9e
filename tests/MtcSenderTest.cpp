#include "engine/MidiTimecode.h"
#include "engine/MtcSender.h"
#include "support/RecordingMidiOutput.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    struct QuarterFrameExample
    {
        int frameCounter;
        int frameRate;
        std::vector<uint8_t> dataBytes;
        int quarterFramesPerSecond;
    };

    const QuarterFrameExample examples[] = {
        {93079, 25, {0x04, 0x10, 0x23, 0x30, 0x42, 0x50, 0x61, 0x72}, 100},   // 01:02:03:04
        {2591999, 30, {0x0d, 0x11, 0x2b, 0x33, 0x4b, 0x53, 0x67, 0x77}, 120}, // 23:59:59:29
        {0, 24, {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}, 96},        // 00:00:00:00
    };

    std::vector<uint8_t> dataBytesOf (const RecordedBlock& block)
    {
        std::vector<uint8_t> bytes;

        for (const auto& message : block.messages)
        {
            EXPECT_EQ (message.bytes.size(), 2u);
            EXPECT_EQ (message.bytes.front(), 0xf1);
            bytes.push_back (message.bytes.back());
        }

        return bytes;
    }

    class MtcSenderTest : public testing::Test
    {
    protected:
        MtcSenderTest()
        {
            devices.devices.add ({"Port A", "id-a"});
            devices.devices.add ({"Port B", "id-b"});
        }

        /** The sender in MIDI mode with an open output. */
        void openPortA()
        {
            sender.openMidiOutput ("Port A");
            sender.mtcMode = true;
            ASSERT_EQ (devices.connections.size(), 1u);
        }

        const std::vector<RecordedBlock>& blocksOfPortA() const
        {
            return devices.connections.front()->blocks;
        }

        RecordingMidiOutputDevices devices;
        MtcSender sender{devices};
    };
} // namespace

TEST (QuarterFrameDataBytes, PiecesCarryNibblesAndRateCode)
{
    for (const auto& example : examples)
    {
        const auto bytes = quarterFrameDataBytes (framesToTimecode (example.frameCounter, example.frameRate), example.frameRate);
        EXPECT_EQ (std::vector<uint8_t> (bytes.begin(), bytes.end()), example.dataBytes) << example.frameCounter;
        EXPECT_EQ (quarterFramesPerSecond (example.frameRate), example.quarterFramesPerSecond);
    }

    EXPECT_FALSE (quarterFramesPerSecond (0).has_value());
    EXPECT_FALSE (quarterFramesPerSecond (29).has_value());
}

TEST_F (MtcSenderTest, QueuesEightQuarterFramesAQuarterFrameApart)
{
    openPortA();

    for (const auto& example : examples)
    {
        sender.frameRate = example.frameRate;
        sender.frameCounter = example.frameCounter;

        const auto before = (double) juce::Time::getMillisecondCounter();
        sender.sendFrame();
        const auto after = (double) juce::Time::getMillisecondCounter();

        ASSERT_FALSE (blocksOfPortA().empty());
        const auto& block = blocksOfPortA().back();
        EXPECT_EQ (dataBytesOf (block), example.dataBytes);
        EXPECT_EQ (block.samplesPerSecond, example.quarterFramesPerSecond);
        EXPECT_GE (block.startMilliseconds, before);
        EXPECT_LE (block.startMilliseconds, after);

        ASSERT_EQ (block.messages.size(), 8u);
        for (int piece = 0; piece < 8; ++piece)
            EXPECT_EQ (block.messages[(size_t) piece].samplePosition, piece);
    }

    EXPECT_EQ (blocksOfPortA().size(), 3u);
    EXPECT_TRUE (sender.quarterFrameBuffer.isEmpty());
}

TEST_F (MtcSenderTest, ConsecutiveCallsDescribeEveryOtherFrame)
{
    openPortA();
    sender.frameRate = 25;
    sender.frameCounter = 10;

    sender.sendFrame();
    sender.sendFrame();

    EXPECT_EQ (sender.frameCounter, 14);
    ASSERT_EQ (blocksOfPortA().size(), 2u);
    EXPECT_EQ (dataBytesOf (blocksOfPortA()[0]).front(), 10);
    EXPECT_EQ (dataBytesOf (blocksOfPortA()[1]).front(), 12);
}

TEST_F (MtcSenderTest, OnlyCountsWhenNothingCanBeSent)
{
    // Not in MIDI mode, and no output at all.
    sender.frameCounter = 100;
    sender.mtcMode = true;
    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 102);

    openPortA();
    sender.mtcMode = false;
    for (int i = 0; i < 10; ++i)
        sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 122);

    // Another output selected: the thread stops but the output stays.
    sender.mtcMode = true;
    sender.stopSendThread();
    EXPECT_NE (sender.midiOutput, nullptr);
    for (int i = 0; i < 10; ++i)
        sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 142);

    // A rate without a MIDI timecode rate code.
    sender.midiOutput->startBackgroundThread();
    sender.frameRate = 0;
    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 144);

    EXPECT_TRUE (blocksOfPortA().empty());
    EXPECT_TRUE (sender.quarterFrameBuffer.isEmpty());
}

TEST_F (MtcSenderTest, NegativeCounterSendsFromTheFirstFrameAtOrAboveZero)
{
    openPortA();
    sender.frameRate = 30;
    sender.frameCounter = -3;

    sender.sendFrame();
    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, 1);
    EXPECT_TRUE (blocksOfPortA().empty());

    sender.sendFrame();
    ASSERT_EQ (blocksOfPortA().size(), 1u);
    EXPECT_EQ (dataBytesOf (blocksOfPortA().front()).front(), 0x01);
}

TEST_F (MtcSenderTest, CounterWrapsAtTheLimit)
{
    openPortA();
    sender.frameCounter = std::numeric_limits<int>::max() - 1;

    sender.sendFrame();
    EXPECT_EQ (sender.frameCounter, std::numeric_limits<int>::min());
    sender.sendFrame();
    EXPECT_EQ (blocksOfPortA().size(), 1u);
}

TEST_F (MtcSenderTest, OpeningChoosesTheFirstExactNameAndKeepsTheOldOutputOnNoMatch)
{
    devices.devices.add ({"Port A", "id-a2"});
    openPortA();
    EXPECT_EQ (devices.connections.front()->identifier, "id-a");
    EXPECT_TRUE (sender.isOpen);

    for (const auto* name : {"Port C", "port a", ""})
        sender.openMidiOutput (name);

    EXPECT_EQ (devices.connections.size(), 1u);
    EXPECT_FALSE (devices.connections.front()->destroyed);
    EXPECT_FALSE (devices.connections.front()->threadRunning);

    sender.sendFrame();
    EXPECT_TRUE (blocksOfPortA().empty());

    // A later successful open sends again.
    sender.openMidiOutput ("Port B");
    sender.sendFrame();
    ASSERT_EQ (devices.connections.size(), 2u);
    EXPECT_EQ (devices.connections.back()->blocks.size(), 1u);
}

TEST_F (MtcSenderTest, ReplacingStopsTheOldOutputBeforeOpeningTheNew)
{
    openPortA();
    sender.openMidiOutput ("Port B");

    EXPECT_EQ (devices.events, juce::StringArray ({"open id-a", "start id-a", "stop id-a", "open id-b", "destroy id-a", "start id-b"}));
}

TEST_F (MtcSenderTest, FailedOpenLeavesNoOutput)
{
    devices.unopenableIdentifiers.add ("id-b");
    openPortA();

    sender.openMidiOutput ("Port B");

    EXPECT_EQ (sender.midiOutput, nullptr);
    EXPECT_TRUE (devices.connections.front()->destroyed);
    sender.sendFrame();
    EXPECT_TRUE (blocksOfPortA().empty());
}

TEST (MtcSender, DestructionStopsTheThreadBeforeClosingTheOutput)
{
    RecordingMidiOutputDevices devices;
    devices.devices.add ({"Port A", "id-a"});

    {
        MtcSender sender{devices};
        sender.openMidiOutput ("Port A");
    }

    EXPECT_EQ (devices.events, juce::StringArray ({"open id-a", "start id-a", "stop id-a", "destroy id-a"}));
}
