#pragma once

#include "engine/MidiOutputDevices.h"

/** Two sets of MIDI output devices as one: the first set's devices, then the second's. A device is
    opened through the first set that lists its identifier.
*/
class CombinedMidiOutputDevices final : public MidiOutputDevices
{
public:
    /** Both sets must outlive this object. */
    CombinedMidiOutputDevices (MidiOutputDevices& firstToUse, MidiOutputDevices& secondToUse);

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices() override;
    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) override;

private:
    MidiOutputDevices& first;
    MidiOutputDevices& second;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CombinedMidiOutputDevices)
};
