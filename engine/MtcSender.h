#pragma once

#include "engine/MidiOutputDevices.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <cstdint>
#include <memory>

/** Sends the timecode as MIDI timecode quarter frames to one MIDI output port.

    Each call of sendFrame covers two frames: the eight quarter frames for frameCounter go to the
    output's send thread, which emits them a quarter frame apart, and the counter moves on by two.
    Lives on the message thread; the clock tick paces it through nextDueTime and pacingCycle.
*/
class MtcSender
{
public:
    /** The sender lists and opens its ports through these devices, which must outlive it. */
    explicit MtcSender (MidiOutputDevices& devicesToUse);
    ~MtcSender();

    /** In MIDI mode, with an output whose send thread runs and a counter of 0 or more, queues
        the quarter frames of frameCounter; then counts two frames on in every case.
    */
    void sendFrame();

    /** Opens the first output port whose name matches exactly and starts its send thread. The
        current output's thread is stopped first; when no port matches, that output stays, stopped.
    */
    void openMidiOutput (juce::String name);

    /** Stops the current output's send thread, if it runs, waiting at most 5000 ms. */
    void stopSendThread();

    int frameRate = 24;
    int frameCounter = 0;
    std::atomic<bool> isRunning{false};
    bool isOpen = false;
    bool mtcMode = false;
    int64_t nextDueTime = 0;
    juce::MidiBuffer quarterFrameBuffer;
    uint8_t pacingCycle = 0;
    std::unique_ptr<MidiOutputConnection> midiOutput;

private:
    MidiOutputDevices& devices;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MtcSender)
};
