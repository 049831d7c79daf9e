#include "LtcSender.h"

void LtcSender::audioDeviceIOCallback (const float* const*,
                                       int,
                                       float* const* outputChannelData,
                                       int numOutputChannels,
                                       int numSamples) noexcept
{
    if (outputChannelData == nullptr || numSamples < 1)
        return;

    for (int channel = 0; channel < numOutputChannels; ++channel)
        if (auto* samples = outputChannelData[channel])
            juce::FloatVectorOperations::clear (samples, numSamples);

    const auto channel = outputChannel.load();

    // Before the first audioDeviceAboutToStart there is no sample rate and no room for a frame.
    if (channel < 0 || channel >= numOutputChannels || sampleRate <= 0.0)
        return;

    auto* output = outputChannelData[channel];

    if (output == nullptr)
        return;

    for (int i = 0; i < numSamples;)
    {
        if (! isRunning.load())
        {
            sampleQueue.clear();
            ++i;
            continue;
        }

        if (sampleQueue.size() <= refillThreshold)
        {
            // fetch_add wraps, so a counter at the 32-bit limit turns negative instead of overflowing.
            const auto counter = wrappingAdd (frameCounter.fetch_add (1), 1);

            if (counter >= 0)
                buildFrame (counter);
        }

        if (sampleQueue.isEmpty())
        {
            ++i;
            continue;
        }

        output[i++] = sampleQueue.pop();

        // No frame is due while more than refillThreshold samples are queued, so those samples
        // are copied in one go, still reading the running flag before each one.
        const auto beforeRefill = juce::jmin (numSamples - i, sampleQueue.size() - refillThreshold);
        i += sampleQueue.popWhile (output + i, beforeRefill, [this]
                                   { return isRunning.load(); });
    }
}

void LtcSender::audioDeviceIOCallbackWithContext (const float* const* inputChannelData,
                                                  int numInputChannels,
                                                  float* const* outputChannelData,
                                                  int numOutputChannels,
                                                  int numSamples,
                                                  const juce::AudioIODeviceCallbackContext&)
{
    audioDeviceIOCallback (inputChannelData, numInputChannels, outputChannelData, numOutputChannels, numSamples);
}

void LtcSender::audioDeviceAboutToStart (juce::AudioIODevice* device)
{
    sampleRate = device->getCurrentSampleRate();

    // Refilling starts at refillThreshold levels left, so the queue never holds more than that
    // plus the longest frame.
    if (sampleRate > 0.0)
        sampleQueue.reserve (refillThreshold + longestLtcFrameLength (sampleRate));
}

void LtcSender::buildFrame (int32_t frameNumber) noexcept
{
    const auto rate = frameRate.load();

    // Slower rates would give frames longer than the queue has room for.
    if (rate < lowestLtcFrameRate)
        return;

    const auto fields = framesToTimecode (frameNumber, rate);
    const auto length = ltcFrameLength (sampleRate, rate, fields.frames);

    writeTimecodeBits (frameBits, fields, bcdDigits);
    lastLevel = biphaseMarkCode (frameBits, lastLevel, halfBitLevels);

    // Each half-bit is one run of equal samples.
    const auto starts = ltcHalfBitStarts (length);

    for (size_t halfBit = 0; halfBit < halfBitLevels.size(); ++halfBit)
        sampleQueue.push (static_cast<float> (halfBitLevels[halfBit] * 0.5), starts[halfBit + 1] - starts[halfBit]);
}
