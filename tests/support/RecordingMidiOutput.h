#pragma once

#include "engine/MidiOutputDevices.h"

#include <cstdint>
#include <memory>
#include <vector>

/** One message of a block, at its sample position. */
struct RecordedMessage
{
    int samplePosition = 0;
    std::vector<uint8_t> bytes;
};

/** One block handed to a connection, with its timing. */
struct RecordedBlock
{
    std::vector<RecordedMessage> messages;
    double startMilliseconds = 0.0;
    double samplesPerSecond = 0.0;
};

/** What happened to one opened connection; kept after the connection is destroyed. */
struct RecordedConnection
{
    juce::String identifier;
    std::vector<RecordedBlock> blocks;
    bool threadRunning = false;
    bool destroyed = false;
};

/** MIDI output devices whose list the test sets and whose connections record instead of sending. */
class RecordingMidiOutputDevices final : public MidiOutputDevices
{
public:
    RecordingMidiOutputDevices() = default;

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices() override;
    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) override;

    /** The listed devices. */
    juce::Array<juce::MidiDeviceInfo> devices;

    /** Listed identifiers whose open fails. */
    juce::StringArray unopenableIdentifiers;

    /** Every connection opened, in order. */
    std::vector<std::shared_ptr<RecordedConnection>> connections;

    /** "open", "start", "stop" and "destroy", each followed by a space and the identifier, in order. */
    juce::StringArray events;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RecordingMidiOutputDevices)
};
