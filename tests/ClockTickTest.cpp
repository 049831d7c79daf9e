#include "support/MainComponentHarness.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    juce::String settingsWith (int outputMode, int frameRate, int start = 0)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config outputmode=\"" + juce::String (outputMode)
             + "\" outgoingfps=\"" + juce::String (frameRate) + "\" start=\"" + juce::String (start) + "\"/>\n";
    }
}

class ClockTickTest : public ::testing::Test
{
protected:
    /** A component in the given mode and rate, its start-up notifications delivered, then played at T. */
    MainComponentTestAccess playing (int outputMode, int frameRate)
    {
        harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" } });
        harness.writeSettingsFile (settingsWith (outputMode, frameRate));
        auto c = harness.create();
        harness.settle();

        harness.millisecondCounter = T;
        c.click (c.playPauseButton());
        return c;
    }

    void tickAt (MainComponentTestAccess& c, int64_t now)
    {
        harness.millisecondCounter = now;
        c.component.timerCallback();
    }

    static constexpr int64_t T = 5000000;
    MainComponentHarness harness;
};

TEST_F (ClockTickTest, FirstStepsComeAfterTheirLeads)
{
    auto c = playing (2, 30);
    ASSERT_EQ (c.clockState(), 2);

    tickAt (c, T + 30);
    EXPECT_EQ (c.clockPosition(), 0);
    tickAt (c, T + 31);
    EXPECT_EQ (c.clockPosition(), 1);

    EXPECT_EQ (c.artTimecodeSender().frameCounter, 0);
    tickAt (c, T + 32);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 1);

    EXPECT_EQ (c.mtcSender().frameCounter, 0);
    tickAt (c, T + 64);
    EXPECT_EQ (c.mtcSender().frameCounter, 0);
    tickAt (c, T + 65);
    EXPECT_EQ (c.mtcSender().frameCounter, 2);
}

TEST_F (ClockTickTest, ALateTickTakesOneStepAndTheNextTicksCatchUp)
{
    auto c = playing (3, 30);

    tickAt (c, T + 131);
    EXPECT_EQ (c.clockPosition(), 1);

    for (int expected = 2; expected <= 4; ++expected)
    {
        tickAt (c, T + 131);
        EXPECT_EQ (c.clockPosition(), expected);
    }

    tickAt (c, T + 131);
    EXPECT_EQ (c.clockPosition(), 4);
    EXPECT_EQ (c.nextDueTime(), T + 133);
}

TEST_F (ClockTickTest, TwentyFiveFramesPerSecondLeavesThePacingCycleAlone)
{
    auto c = playing (2, 25);
    c.artTimecodeSender().pacingCycle = 2;
    c.mtcSender().pacingCycle = 1;

    for (int i = 1; i <= 5; ++i)
    {
        tickAt (c, T + 80 * i + 77 + 1);
        EXPECT_EQ (c.artTimecodeSender().pacingCycle, 2);
        EXPECT_EQ (c.mtcSender().pacingCycle, 1);
    }

    EXPECT_EQ (c.mtcSender().nextDueTime, T + 5 * 80);
    EXPECT_EQ (c.artTimecodeSender().nextDueTime, T + 5 * 40);
}

TEST_F (ClockTickTest, ChoosingARateReDerivesTheCountersAndKeepsTheDueTimes)
{
    auto c = playing (2, 30);
    tickAt (c, T + 40);
    c.clockPosition() = 36;

    const auto artNetDue = c.artTimecodeSender().nextDueTime;
    const auto midiDue = c.mtcSender().nextDueTime;
    const auto clockDue = c.nextDueTime();

    c.settingsComponent().fpsBox.setSelectedId (2, juce::sendNotificationSync);

    EXPECT_EQ (c.frameRate(), 25);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 29);
    EXPECT_EQ (c.mtcSender().frameCounter, 29);
    EXPECT_EQ (c.ltcSender().frameCounter.load(), 29);
    EXPECT_EQ (c.artTimecodeSender().nextDueTime, artNetDue);
    EXPECT_EQ (c.mtcSender().nextDueTime, midiDue);
    EXPECT_EQ (c.nextDueTime(), clockDue);
    EXPECT_EQ (c.clockPosition(), 36);
}

TEST_F (ClockTickTest, WatchesMidiOutputsOnEveryStoppedTickAndEvery251stRunningTick)
{
    harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" } });
    auto c = harness.create();
    harness.settle();

    harness.midiOutputs.devices.add ({ "Port B", "b" });
    c.component.timerCallback();
    EXPECT_TRUE (c.midiRefreshPending());
    c.component.timerCallback();
    EXPECT_FALSE (c.midiRefreshPending());
    EXPECT_EQ (c.settingsComponent().midiBox.getNumItems(), 2);

    harness.millisecondCounter = T;
    c.click (c.playPauseButton());
    harness.midiOutputs.devices.remove (0);

    for (int tick = 1; tick <= 250; ++tick)
        c.component.timerCallback();

    EXPECT_FALSE (c.midiRefreshPending());
    c.component.timerCallback();
    EXPECT_TRUE (c.midiRefreshPending());
}

TEST_F (ClockTickTest, RefillKeepsTheRememberedNameOrFallsBackToTheFirst)
{
    harness.midiOutputs.devices = midiDeviceList ({ { "A", "a" }, { "B", "b" }, { "C", "c" } });
    auto c = harness.create();
    c.settingsComponent().midiBox.setSelectedId (3, juce::sendNotificationSync);
    harness.settle();

    harness.midiOutputs.devices = midiDeviceList ({ { "A", "a" }, { "X", "x" }, { "C", "c" } });
    c.component.timerCallback();
    EXPECT_TRUE (c.midiRefreshPending());
    c.component.timerCallback();
    harness.settle();
    EXPECT_EQ (c.settingsComponent().midiBox.getText(), "C");
    EXPECT_EQ (c.prefMidi(), "C");

    harness.midiOutputs.devices = midiDeviceList ({ { "A", "a" } });
    c.component.timerCallback();
    c.component.timerCallback();
    harness.settle();
    EXPECT_EQ (c.prefMidi(), "A");

    harness.midiOutputs.devices.clear();
    c.component.timerCallback();
    c.component.timerCallback();
    harness.settle();
    EXPECT_EQ (c.settingsComponent().midiBox.getNumItems(), 0);
    EXPECT_EQ (c.prefMidi(), "");
}

TEST_F (ClockTickTest, SavesOnEvery1001stRunningTickCountedAcrossPauses)
{
    auto c = playing (3, 30);
    const auto file = TestEnvironment::settingsFolder().getChildFile ("Autosave.zarntm");
    file.deleteFile();

    for (int tick = 1; tick <= 600; ++tick)
        c.component.timerCallback();

    c.click (c.playPauseButton());
    c.click (c.playPauseButton());

    for (int tick = 601; tick <= 1000; ++tick)
        c.component.timerCallback();

    EXPECT_FALSE (file.existsAsFile());
    c.component.timerCallback();
    EXPECT_TRUE (file.existsAsFile());

    file.deleteFile();
    for (int tick = 1; tick <= 1000; ++tick)
        c.component.timerCallback();

    EXPECT_FALSE (file.existsAsFile());
    c.component.timerCallback();
    EXPECT_TRUE (file.existsAsFile());
}

TEST_F (ClockTickTest, StoppedTicksSaveAndDoNotAdvance)
{
    auto c = harness.create();
    const auto file = TestEnvironment::settingsFolder().getChildFile ("Autosave.zarntm");
    file.deleteFile();

    tickAt (c, T + 100000);
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (c.clockPosition(), 0);
}

TEST_F (ClockTickTest, ThePositionWrapsAtTheThirtyTwoBitLimit)
{
    auto c = playing (3, 30);
    c.clockPosition() = std::numeric_limits<int32_t>::max();

    tickAt (c, T + 31);
    EXPECT_EQ (c.clockPosition(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ (c.clockText(), "00 00 00 00");
}

TEST_F (ClockTickTest, TheDisplayFollowsTheRunningClock)
{
    auto c = playing (3, 30);
    c.clockPosition() = 2591998;

    tickAt (c, T + 31);
    EXPECT_EQ (c.clockText(), "23 59 59 96");

    tickAt (c, T + 64);
    EXPECT_EQ (c.clockPosition(), 2592000);
    EXPECT_EQ (c.clockText(), "00 00 00 00");
    EXPECT_EQ (c.shownFields().hundredths, 96);
}
