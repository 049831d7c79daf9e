#pragma once

#include "engine/LtcFrame.h"
#include "engine/LtcSampleQueue.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <atomic>
#include <cstdint>

/** Writes SMPTE linear timecode into one output channel of the audio device and silence into
    all others. The device's sample clock paces it: whenever few samples are left queued, the
    next frame is built from frameCounter + 1.

    The message thread sets the public atomics; the audio thread reads them and advances
    frameCounter. The block callback takes no lock and allocates nothing: the queue is sized in
    audioDeviceAboutToStart, which the framework calls before blocks arrive.
*/
class LtcSender : public juce::AudioIODeviceCallback
{
public:
    LtcSender() = default;
    ~LtcSender() override = default;

    /** Fills one block: LTC into channel outputChannel while running, silence everywhere else.
        Without a device sample rate, or with outputChannel not among the channels given, the
        block stays silent and nothing is consumed or advanced.
    */
    void audioDeviceIOCallback (const float* const* inputChannelData,
                                int numInputChannels,
                                float* const* outputChannelData,
                                int numOutputChannels,
                                int numSamples) noexcept;

    void audioDeviceIOCallbackWithContext (const float* const* inputChannelData,
                                           int numInputChannels,
                                           float* const* outputChannelData,
                                           int numOutputChannels,
                                           int numSamples,
                                           const juce::AudioIODeviceCallbackContext& context) override;

    /** Takes the device's sample rate and makes room in the queue for its longest frame. */
    void audioDeviceAboutToStart (juce::AudioIODevice* device) override;

    void audioDeviceStopped() override {}

    /** Frames per second: 24, 25 or 30. */
    std::atomic<int32_t> frameRate{24};

    /** The last frame built; the next one is frameCounter + 1. */
    std::atomic<int32_t> frameCounter{0};

    std::atomic<bool> isRunning{false};

private:
    double sampleRate = 0.0;

public:
    /** Index of the LTC channel among the output channels that each block brings. */
    std::atomic<int32_t> outputChannel{0};

private:
    /** The next frame is built once no more than this many levels are left to play. */
    static constexpr int refillThreshold = 249;

    void buildFrame (int32_t frameNumber) noexcept;

    const BcdDigitTable bcdDigits = makeBcdDigits();
    LtcSampleQueue sampleQueue;
    LtcHalfBitLevels halfBitLevels{};

    /** Carries the waveform's polarity from frame to frame, across pauses and restarts. */
    int lastLevel = -1;

    LtcFrameBits frameBits = makeLtcFrameTemplate();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LtcSender)
};
