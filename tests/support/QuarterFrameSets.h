#pragma once

#include "JackMidiRecorder.h"

#include <cstdint>
#include <vector>

/** Recorded MIDI timecode cut into sets of eight quarter frames, each starting at a piece 0. */
using QuarterFrameSet = std::vector<JackMidiRecorder::Event>;

/** The complete sets among the events; events before the first piece 0 and a set cut short at the
    end are left out.
*/
std::vector<QuarterFrameSet> quarterFrameSets (const std::vector<JackMidiRecorder::Event>& events);

/** The data bytes of a set's messages, after their status bytes. */
std::vector<uint8_t> dataBytesOf (const QuarterFrameSet& set);

/** The data bytes that the set for this frame count should carry at this rate. */
std::vector<uint8_t> expectedDataBytes (int frameCounter, int frameRate);

/** The largest distance, in milliseconds, between a piece's frame time and piece 0's plus its
    number of quarter frames at this rate.
*/
double largestSpacingError (const QuarterFrameSet& set, int frameRate, uint32_t sampleRate);
