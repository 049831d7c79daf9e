#include "support/JackAudioRecorder.h"
#include "support/LtcDecoder.h"
#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace
{
    constexpr int startFrame = 3750; // start 4500 thirtieths = 150 s at 25 fps

    /** The output ports of JACK clients named like the framework's that were not there before. */
    juce::StringArray newProgramPorts (const JackAudioRecorder& recorder, const juce::StringArray& before)
    {
        juce::StringArray found;

        for (const auto& port : recorder.audioOutputPorts())
            if (port.startsWith ("JUCEJack") && !before.contains (port))
                found.add (port);

        return found;
    }
} // namespace

TEST (ProgramLtcTest, PlaySendsContiguousFramesOnTheFirstOutputOnly)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    JackAudioRecorder recorder ("ltc recorder", 2, 30.0);
    ASSERT_TRUE (recorder.isOpen());
    ASSERT_EQ (recorder.sampleRate(), 48000.0);
    const auto portsBefore = recorder.audioOutputPorts();

    ProgramUnderTest program;
    program.writeAudioConfiguration (ProgramUnderTest::jackAudioConfiguration);
    program.writeSettingsFile (R"(<Config outputmode="0" outgoingfps="25" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi="" start="4500"/>)");
    ASSERT_TRUE (program.start());

    juce::StringArray programPorts;
    const auto programPortsAppeared = [&]
    {
        programPorts = newProgramPorts (recorder, portsBefore);
        return programPorts.size() >= 2;
    };

    ASSERT_TRUE (ProgramUnderTest::waitUntil (programPortsAppeared, 10000));
    programPorts.sort (false);
    ASSERT_TRUE (recorder.connect (programPorts[0], 0));
    ASSERT_TRUE (recorder.connect (programPorts[1], 1));

    // Give the start-up handlers time to pick the stored channel before the clock runs.
    juce::Thread::sleep (1000);
    program.clickContent (200, 239);
    juce::Thread::sleep (3000);
    program.clickContent (200, 239);

    const auto ltc = recorder.samples (0);
    const auto frames = decodeLtc (ltc, 1920);
    ASSERT_GE (frames.size(), 50u);

    // The sender counts from the frame it last built, so the first one sent follows the start.
    for (size_t i = 0; i < frames.size(); ++i)
        ASSERT_EQ (frames[i].frameNumber (25), startFrame + 1 + (int) i) << "frame " << i << ", xruns " << recorder.numXruns();

    const auto loudest = std::accumulate (ltc.begin(), ltc.end(), 0.0f, [] (float m, float s)
                                          { return std::max (m, std::abs (s)); });
    EXPECT_EQ (loudest, 0.5f);

    const auto second = recorder.samples (1);
    ASSERT_GE (second.size(), ltc.size());
    EXPECT_TRUE (std::all_of (second.begin(), second.end(), [] (float s)
                              { return s == 0.0f; }));

    EXPECT_EQ (program.closeAndWait(), 0);
}
