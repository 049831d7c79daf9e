#include "engine/LtcSender.h"
#include "support/JackAudioRecorder.h"
#include "support/LtcDecoder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <juce_audio_devices/juce_audio_devices.h>

namespace
{
    /** The first output port of this process's own JACK audio client. */
    juce::String firstOwnOutputPort (const JackAudioRecorder& recorder)
    {
        for (const auto& port : recorder.audioOutputPorts())
            if (port.startsWith ("JUCEJack") && port.endsWith ("out_1"))
                return port;

        return {};
    }

    /** Decodes what the recorder heard since the given sample into frame numbers at 25 fps. */
    std::vector<int> framesHeard (const JackAudioRecorder& recorder, size_t fromSample)
    {
        auto samples = recorder.samples (0);
        samples.erase (samples.begin(), samples.begin() + static_cast<long> (std::min (fromSample, samples.size())));

        std::vector<int> numbers;
        for (const auto& frame : decodeLtc (samples, 1920))
            numbers.push_back (frame.frameNumber (25));

        return numbers;
    }

    void expectContiguous (const std::vector<int>& numbers)
    {
        ASSERT_GE (numbers.size(), 10u);
        for (size_t i = 1; i < numbers.size(); ++i)
            ASSERT_EQ (numbers[i], numbers[i - 1] + 1) << "at frame " << i;
    }
}

TEST (LtcDeviceChange, FramesStayContiguousWhenTheDeviceIsReconfigured)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    juce::AudioDeviceManager manager;
    manager.initialise (0, 2, nullptr, false);
    manager.setCurrentAudioDeviceType ("JACK", true);

    auto setup = manager.getAudioDeviceSetup();
    setup.outputDeviceName = "system";
    setup.inputDeviceName = {};
    setup.useDefaultOutputChannels = false;
    setup.outputChannels.setRange (0, 2, true);
    ASSERT_TRUE (manager.setAudioDeviceSetup (setup, true).isEmpty());
    ASSERT_NE (manager.getCurrentAudioDevice(), nullptr);

    LtcSender sender;
    sender.frameRate.store (25);
    sender.frameCounter.store (1000);
    sender.isRunning.store (true);
    manager.addAudioCallback (&sender);

    JackAudioRecorder recorder ("ltc device change", 1, 20.0);
    ASSERT_TRUE (recorder.isOpen());
    ASSERT_TRUE (recorder.connect (firstOwnOutputPort (recorder), 0));
    juce::Thread::sleep (1500);

    const auto before = framesHeard (recorder, 0);
    // A failed check inside the helper ends only the helper; the fronts below need frames.
    ASSERT_NO_FATAL_FAILURE (expectContiguous (before));
    EXPECT_GT (before.front(), 1000);

    // Fewer active outputs reopen the device; the first active output still carries the LTC.
    setup.outputChannels.clear();
    setup.outputChannels.setBit (0);
    ASSERT_TRUE (manager.setAudioDeviceSetup (setup, true).isEmpty());

    const auto heardBeforeChange = recorder.samples (0).size();
    ASSERT_TRUE (recorder.connect (firstOwnOutputPort (recorder), 0));
    juce::Thread::sleep (1500);

    const auto after = framesHeard (recorder, heardBeforeChange);
    ASSERT_NO_FATAL_FAILURE (expectContiguous (after));
    EXPECT_GT (after.front(), before.back());

    manager.removeAudioCallback (&sender);
    manager.closeAudioDevice();
}
