#pragma once

#include <vector>

/** One frame that libltc found in a signal. */
struct DecodedLtcFrame
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;

    /** The 80 bits as sent, bit 0 first. */
    std::vector<int> bits;

    /** The frame count since 00:00:00:00 at the given rate. */
    int frameNumber (int frameRate) const;
};

/** Every frame that libltc finds in the signal, in order. */
std::vector<DecodedLtcFrame> decodeLtc (const std::vector<float>& samples, int samplesPerFrame);
