#include "engine/JackMidiOutputDevices.h"
#include "engine/MillisecondClock.h"
#include "engine/Timecode.h"
#include "support/JackMidiRecorder.h"
#include "support/MainComponentHarness.h"
#include "support/ProgramUnderTest.h"
#include "support/QuarterFrameSets.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
    constexpr int startPosition = (1 * 3600 + 2 * 60 + 3) * 30 + 12;

    juce::String midiSettings (const juce::String& portName)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config outputmode=\"1\" outgoingfps=\"25\" prefmidi=\"" + portName + "\" start=\"" + juce::String (startPosition) + "\"/>\n";
    }

    /** Runs the message loop until the condition holds or the time is over. */
    bool eventuallyOnMessageThread (int timeoutMilliseconds, const std::function<bool()>& condition)
    {
        for (int waited = 0; waited < timeoutMilliseconds; waited += 20)
        {
            if (condition())
                return true;

            TestEnvironment::runMessageLoop (20);
        }

        return condition();
    }

    /** A main component on the JACK outputs, with the real clocks, so its tick drives the sender. */
    class MidiTimecodeOverJackTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());
            ASSERT_TRUE (recorder.isOpen());
        }

        MainComponentTestAccess create()
        {
            harness.component = std::make_unique<MainComponent> (devices, monotonicMillisecondCounter, juce::Time::getCurrentTime);
            harness.settle (100);
            return MainComponentTestAccess (*harness.component);
        }

        JackMidiRecorder recorder{ "first recorder" };
        JackMidiOutputDevices devices;
        MainComponentHarness harness;
    };
} // namespace

TEST_F (MidiTimecodeOverJackTest, PlayingSendsFromTheStartAndArtNetStopsIt)
{
    harness.writeSettingsFile (midiSettings (recorder.portName()));
    auto c = create();
    ASSERT_EQ (c.settingsComponent().midiBox.getText(), recorder.portName());

    c.click (c.playPauseButton());
    ASSERT_TRUE (eventuallyOnMessageThread (3000, [&]
                                            { return recorder.numEvents() >= 24; }));

    c.click (c.artNetButton());
    EXPECT_FALSE (c.mtcSender().midiOutput->isBackgroundThreadRunning());
    const auto atSwitch = recorder.numEvents();
    TestEnvironment::runMessageLoop (300);
    EXPECT_EQ (recorder.numEvents(), atSwitch);

    const auto sets = quarterFrameSets (recorder.events());
    ASSERT_GE (sets.size(), 2u);
    const auto startFrame = *ticksToFrames (startPosition, 25);
    EXPECT_EQ (dataBytesOf (sets[0]), expectedDataBytes (startFrame, 25));
    EXPECT_EQ (dataBytesOf (sets[1]), expectedDataBytes (startFrame + 2, 25));
}

TEST_F (MidiTimecodeOverJackTest, DestinationLeavingWhileRunningMovesToTheNextPort)
{
    auto leaving = std::make_unique<JackMidiRecorder> ("leaving recorder");
    ASSERT_TRUE (leaving->isOpen());
    const auto leavingName = leaving->portName();

    harness.writeSettingsFile (midiSettings (leavingName));
    auto c = create();
    ASSERT_EQ (c.settingsComponent().midiBox.getText(), leavingName);

    c.click (c.playPauseButton());
    ASSERT_TRUE (eventuallyOnMessageThread (3000, [&]
                                            { return leaving->numEvents() >= 8; }));
    EXPECT_EQ (recorder.numEvents(), 0u);

    // Two watches later the box holds the ports that are left, the first of them is chosen and
    // opened, and the clock has gone on running throughout.
    leaving.reset();
    ASSERT_TRUE (eventuallyOnMessageThread (5000, [&]
                                            { return recorder.numEvents() >= 8; }));

    auto& box = c.settingsComponent().midiBox;
    const auto available = devices.getAvailableDevices();
    ASSERT_EQ (box.getNumItems(), available.size());
    for (int i = 0; i < available.size(); ++i)
        EXPECT_EQ (box.getItemText (i), available[i].name);

    EXPECT_EQ (box.getText(), available[0].name);
    EXPECT_EQ (c.prefMidi(), available[0].name);
    EXPECT_EQ (c.clockState(), 2);
}

TEST (MidiTimecodeOverJackProgram, PlayInTheWindowSendsFromTheStoredStart)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    JackMidiRecorder recorder;
    ASSERT_TRUE (recorder.isOpen());

    ProgramUnderTest program;
    program.writeSettingsFile (midiSettings (recorder.portName()));
    ASSERT_TRUE (program.start());

    // The stored port is opened at start-up; nothing is sent until play.
    EXPECT_TRUE (TestEnvironment::eventually (3000, [&]
                             { return recorder.numConnections() == 1; }));
    EXPECT_EQ (recorder.numEvents(), 0u);

    program.clickContent (200, 239);
    for (int waited = 0; waited < 5000 && recorder.numEvents() < 16; waited += 50)
        juce::Thread::sleep (50);

    const auto events = recorder.events();
    EXPECT_EQ (program.closeAndWait(), 0);

    const auto sets = quarterFrameSets (events);
    ASSERT_FALSE (sets.empty());
    EXPECT_EQ (dataBytesOf (sets[0]), expectedDataBytes (*ticksToFrames (startPosition, 25), 25));
}
