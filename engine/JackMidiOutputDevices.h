#pragma once

#include "engine/MidiOutputDevices.h"

#include <memory>

/** The MIDI input ports of other programs on a running JACK server, as this program's MIDI outputs.

    Each port is listed under its full JACK name, with "jack:" and that name as its identifier.
    Opening one registers a MIDI output port of this program's JACK client and connects it to the
    destination; the connection's send thread is the flow of messages through that port, which
    JACK's process thread writes at their due times. Closing the connection removes the port.

    The client is opened on the first list query. Without the JACK library or a running server
    nothing is listed; when the server is gone, list queries look for it again at most about
    once a second, so they stay cheap.

    For the message thread. Every connection must be destroyed before the devices.
*/
class JackMidiOutputDevices final : public MidiOutputDevices
{
public:
    JackMidiOutputDevices();
    ~JackMidiOutputDevices() override;

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices() override;
    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) override;

private:
    class Pimpl;
    std::unique_ptr<Pimpl> pimpl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JackMidiOutputDevices)
};
