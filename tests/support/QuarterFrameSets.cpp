#include "QuarterFrameSets.h"

#include "engine/MidiTimecode.h"

#include <cmath>

namespace
{
    bool isQuarterFrame (const JackMidiRecorder::Event& event)
    {
        return event.bytes.size() == 2 && event.bytes[0] == 0xf1;
    }
} // namespace

std::vector<QuarterFrameSet> quarterFrameSets (const std::vector<JackMidiRecorder::Event>& events)
{
    std::vector<QuarterFrameSet> sets;

    for (size_t i = 0; i + 8 <= events.size(); ++i)
    {
        if (! isQuarterFrame (events[i]) || (events[i].bytes[1] >> 4) != 0)
            continue;

        sets.emplace_back (events.begin() + (long) i, events.begin() + (long) i + 8);
        i += 7;
    }

    return sets;
}

std::vector<uint8_t> dataBytesOf (const QuarterFrameSet& set)
{
    std::vector<uint8_t> bytes;

    for (const auto& event : set)
        bytes.push_back (isQuarterFrame (event) ? event.bytes[1] : 0xff);

    return bytes;
}

std::vector<uint8_t> expectedDataBytes (int frameCounter, int frameRate)
{
    const auto bytes = quarterFrameDataBytes (framesToTimecode (frameCounter, frameRate), frameRate);
    return { bytes.begin(), bytes.end() };
}

double largestSpacingError (const QuarterFrameSet& set, int frameRate, uint32_t sampleRate)
{
    const auto framesPerQuarterFrame = sampleRate / (4.0 * frameRate);
    double largest = 0.0;

    for (size_t piece = 1; piece < set.size(); ++piece)
    {
        const auto distance = (double) (int32_t) (set[piece].frameTime - set.front().frameTime);
        largest = std::max (largest, std::abs (distance - (double) piece * framesPerQuarterFrame));
    }

    return largest * 1000.0 / sampleRate;
}
