#include "support/MainComponentHarness.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace
{
    juce::String settingsWith (int outputMode, int frameRate, int start)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config outputmode=\"" + juce::String (outputMode)
             + "\" outgoingfps=\"" + juce::String (frameRate) + "\" start=\"" + juce::String (start) + "\"/>\n";
    }
}

class TransportTest : public ::testing::Test
{
protected:
    MainComponentTestAccess started (int outputMode, int frameRate = 30, int start = 0)
    {
        harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" }, { "Port B", "b" } });
        harness.writeSettingsFile (settingsWith (outputMode, frameRate, start));
        auto c = harness.create();
        harness.settle();
        return c;
    }

    void expectStopped (MainComponentTestAccess& c)
    {
        EXPECT_EQ (c.clockState(), 1);
        EXPECT_EQ (c.component.getTimerInterval(), 1000);
        EXPECT_FALSE (c.artTimecodeSender().isRunning);
        EXPECT_FALSE (c.mtcSender().isRunning.load());
        EXPECT_FALSE (c.ltcSender().isRunning.load());
        EXPECT_FALSE (c.playPauseButton().getToggleState());
        EXPECT_FALSE (c.homeClockButton().getToggleState());
        EXPECT_TRUE (c.hoursLabel().isEditableOnSingleClick());
        EXPECT_EQ (c.minutesLabel().findColour (juce::Label::textColourId), juce::Colours::lightblue);
        EXPECT_EQ (c.colonLabel1().findColour (juce::Label::textColourId), juce::Colours::lightblue);
    }

    void expectRunning (MainComponentTestAccess& c, bool fromTimeOfDay)
    {
        EXPECT_EQ (c.clockState(), 2);
        EXPECT_EQ (c.component.getTimerInterval(), 1);
        EXPECT_TRUE (c.artTimecodeSender().isRunning);
        EXPECT_TRUE (c.mtcSender().isRunning.load());
        EXPECT_TRUE (c.ltcSender().isRunning.load());
        EXPECT_TRUE (c.playPauseButton().getToggleState());
        EXPECT_EQ (c.homeClockButton().getToggleState(), fromTimeOfDay);
        EXPECT_FALSE (c.hoursLabel().isEditableOnSingleClick());
        EXPECT_EQ (c.minutesLabel().findColour (juce::Label::textColourId), juce::Colours::lightgreen);
        EXPECT_EQ (c.pointLabel().findColour (juce::Label::textColourId), juce::Colours::lightgreen);
    }

    void tickAt (MainComponentTestAccess& c, int64_t now)
    {
        harness.millisecondCounter = now;
        c.component.timerCallback();
    }

    MainComponentHarness harness;
};

TEST_F (TransportTest, PlayPausesAndContinuesFromTheHeldPosition)
{
    auto c = started (3);
    harness.millisecondCounter = 777;
    c.click (c.playPauseButton());

    expectRunning (c, false);
    EXPECT_EQ (c.nextDueTime(), 777);
    EXPECT_EQ (c.artTimecodeSender().nextDueTime, 777);
    EXPECT_EQ (c.mtcSender().nextDueTime, 777);

    tickAt (c, 777 + 31);
    tickAt (c, 777 + 64);
    c.click (c.playPauseButton());
    expectStopped (c);
    EXPECT_EQ (c.clockPosition(), 2);

    harness.millisecondCounter = 5000;
    c.click (c.playPauseButton());
    tickAt (c, 5031);
    EXPECT_EQ (c.clockPosition(), 3);
}

TEST_F (TransportTest, StopReturnsToTheStartAndShowsTheEnteredFields)
{
    auto c = started (3);
    c.hundredthsLabel().setText ("51", juce::sendNotificationSync);
    EXPECT_EQ (c.startPosition(), 15);

    c.click (c.playPauseButton());
    for (int i = 1; i <= 10; ++i)
        tickAt (c, harness.millisecondCounter + 34);
    EXPECT_GT (c.clockPosition(), 15);

    c.click (c.stopButton());
    expectStopped (c);
    EXPECT_EQ (c.clockPosition(), 15);
    EXPECT_EQ (c.clockText(), "00 00 00 51");
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 15);
    EXPECT_EQ (c.ltcSender().frameCounter.load(), 15);

    c.clockPosition() = 99;
    c.click (c.stopButton());
    EXPECT_EQ (c.clockPosition(), 15);
}

TEST_F (TransportTest, BackWhileRunningGoesOnFromTheStart)
{
    auto c = started (3, 30, 300);
    harness.millisecondCounter = 1000;
    c.click (c.homeClockButton());
    c.click (c.backButton());

    EXPECT_EQ (c.clockPosition(), 300);
    EXPECT_EQ (c.clockText(), "00 00 10 00");
    EXPECT_FALSE (c.homeClockButton().getToggleState());
    EXPECT_TRUE (c.playPauseButton().getToggleState());
    EXPECT_EQ (c.clockState(), 2);
    EXPECT_EQ (c.component.getTimerInterval(), 1);
}

TEST_F (TransportTest, BackWhileStoppedOnlyRelocates)
{
    auto c = started (3, 25, 300);
    c.clockPosition() = 1000;
    c.click (c.backButton());

    expectStopped (c);
    EXPECT_EQ (c.clockPosition(), 300);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 250);
    EXPECT_EQ (c.clockText(), "00 00 10 00");
}

TEST_F (TransportTest, TimeOfDayStartsFromTheWallClock)
{
    struct Case
    {
        int hours, minutes, seconds, milliseconds;
        int expectedPosition;
    };

    const Case cases[] = {
        { 14, 3, 7, 990, 1517640 },
        { 14, 3, 7, 32, 1517610 },
        { 23, 59, 59, 990, 2592000 },
    };

    for (const auto& expected : cases)
    {
        SCOPED_TRACE (expected.expectedPosition);
        MainComponentHarness local;
        local.writeSettingsFile (settingsWith (3, 30, 45));
        auto c = local.create();
        local.settle();

        local.wallClock = juce::Time (2026, 11, 7, expected.hours, expected.minutes, expected.seconds, expected.milliseconds);
        c.click (c.homeClockButton());

        expectRunning (c, true);
        EXPECT_EQ (c.clockPosition(), expected.expectedPosition);
        EXPECT_EQ (c.artTimecodeSender().frameCounter, expected.expectedPosition);
        EXPECT_EQ (c.startPosition(), 45);
    }
}

TEST_F (TransportTest, TimeOfDayPastMidnightShowsZerosWhileTheCountersStandAtTwentyFourHours)
{
    auto c = started (3, 25);
    harness.wallClock = juce::Time (2026, 11, 7, 23, 59, 59, 995);
    harness.millisecondCounter = 100;
    c.click (c.homeClockButton());

    EXPECT_EQ (c.artTimecodeSender().frameCounter, 24 * 3600 * 25);
    tickAt (c, 100);
    EXPECT_EQ (c.clockText(), "00 00 00 00");

    c.click (c.homeClockButton());
    expectStopped (c);
    EXPECT_EQ (c.clockPosition(), 2592000);
}

TEST_F (TransportTest, SmpteReDerivesTheCountersFromTheClock)
{
    auto c = started (2, 25);
    c.click (c.playPauseButton());
    for (int i = 1; i <= 20; ++i)
        tickAt (c, harness.millisecondCounter + 45);

    c.clockPosition() = 36;
    c.click (c.smpteButton());

    EXPECT_EQ (c.outputMode(), 0);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 29);
    EXPECT_EQ (c.mtcSender().frameCounter, 29);
    EXPECT_EQ (c.ltcSender().frameCounter.load(), 29);
    EXPECT_FALSE (c.artNetButton().getToggleState());
    EXPECT_FALSE (c.artTimecodeSender().artNetMode);
    EXPECT_TRUE (c.settingsComponent().channelBox.isVisible());
    EXPECT_FALSE (c.settingsComponent().ipLabel.isVisible());
}

TEST_F (TransportTest, MidiOpensTheOutputByTheBoxNameAndArtNetStopsItsThread)
{
    auto c = started (0);
    c.settingsComponent().midiBox.setSelectedId (2, juce::dontSendNotification);
    c.click (c.midiButton());

    EXPECT_EQ (c.outputMode(), 1);
    EXPECT_FALSE (c.smpteButton().getToggleState());
    EXPECT_TRUE (c.mtcSender().mtcMode);
    ASSERT_NE (c.mtcSender().midiOutput, nullptr);
    EXPECT_TRUE (c.mtcSender().midiOutput->isBackgroundThreadRunning());
    EXPECT_EQ (harness.midiOutputs.connections.back()->identifier, "b");
    EXPECT_TRUE (c.settingsComponent().midiBox.isVisible());
    EXPECT_FALSE (c.settingsComponent().channelBox.isVisible());

    c.click (c.artNetButton());
    EXPECT_EQ (c.outputMode(), 2);
    EXPECT_FALSE (c.midiButton().getToggleState());
    EXPECT_FALSE (c.mtcSender().mtcMode);
    EXPECT_TRUE (c.artTimecodeSender().artNetMode);
    EXPECT_FALSE (c.mtcSender().midiOutput->isBackgroundThreadRunning());
    EXPECT_TRUE (c.settingsComponent().ipLabel.isVisible());
}

TEST_F (TransportTest, ClickingTheLitModeLeavesNoOutputAndKeepsTheRow)
{
    auto c = started (2);
    c.click (c.artNetButton());

    EXPECT_EQ (c.outputMode(), 3);
    EXPECT_FALSE (c.artTimecodeSender().artNetMode);
    EXPECT_FALSE (c.artNetButton().getToggleState());
    EXPECT_TRUE (c.settingsComponent().ipLabel.isVisible());

    c.click (c.midiButton());
    c.click (c.midiButton());
    EXPECT_EQ (c.outputMode(), 3);
    EXPECT_FALSE (c.mtcSender().mtcMode);
    EXPECT_FALSE (c.mtcSender().midiOutput->isBackgroundThreadRunning());

    c.click (c.smpteButton());
    c.click (c.smpteButton());
    EXPECT_EQ (c.outputMode(), 3);
}

TEST_F (TransportTest, TheSettingsButtonOpensThePanelBelowTheModeButtons)
{
    auto c = started (0);
    c.click (c.settingsButton());

    EXPECT_TRUE (c.settingsComponent().isVisible());
    EXPECT_EQ (c.smpteButton().getConnectedEdgeFlags(), 10);
    EXPECT_EQ (c.settingsButton().getConnectedEdgeFlags(), 9);
    EXPECT_EQ (c.midiButton().getConnectedEdgeFlags(), 3);
    EXPECT_EQ (c.smpteButton().findColour (juce::TextButton::buttonOnColourId), juce::Colours::lightblue);
    EXPECT_EQ (c.artNetButton().findColour (juce::TextButton::buttonOnColourId), juce::Colours::lightblue);

    c.click (c.settingsButton());
    EXPECT_FALSE (c.settingsComponent().isVisible());
    EXPECT_EQ (c.smpteButton().getConnectedEdgeFlags(), 2);
    EXPECT_EQ (c.settingsButton().getConnectedEdgeFlags(), 1);
    EXPECT_EQ (c.midiButton().findColour (juce::TextButton::buttonOnColourId), juce::Colours::lightgreen);
}
