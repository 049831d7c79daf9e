#pragma once

#include "engine/MidiOutputDevices.h"

/** The system's MIDI output ports as the framework's juce::MidiOutput lists and opens them. */
class JuceMidiOutputDevices final : public MidiOutputDevices
{
public:
    JuceMidiOutputDevices() = default;

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices() override;
    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceMidiOutputDevices)
};
