#include "CombinedMidiOutputDevices.h"

namespace
{
    bool lists (MidiOutputDevices& devices, const juce::String& identifier)
    {
        for (const auto& device : devices.getAvailableDevices())
            if (device.identifier == identifier)
                return true;

        return false;
    }
} // namespace

CombinedMidiOutputDevices::CombinedMidiOutputDevices (MidiOutputDevices& firstToUse, MidiOutputDevices& secondToUse)
    : first (firstToUse)
    , second (secondToUse)
{
}

juce::Array<juce::MidiDeviceInfo> CombinedMidiOutputDevices::getAvailableDevices()
{
    auto devices = first.getAvailableDevices();
    devices.addArray (second.getAvailableDevices());
    return devices;
}

std::unique_ptr<MidiOutputConnection> CombinedMidiOutputDevices::openDevice (const juce::String& identifier)
{
    if (lists (first, identifier))
        return first.openDevice (identifier);

    if (lists (second, identifier))
        return second.openDevice (identifier);

    return nullptr;
}
