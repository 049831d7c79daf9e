#pragma once

#include "engine/MidiOutputDevices.h"

#include <memory>

/** The MIDI input ports of other programs on a running JACK server, as this program's MIDI outputs.

    Each port is listed under its full JACK name, with "jack:" and that name as its identifier.
    Opening one registers a MIDI output port of this program's JACK client and connects it to the
    destination; the connection's send thread is the flow of messages through that port, which
    JACK's process thread writes at their due times. Closing the connection removes the port.

    The client is opened on the first list query, which waits for the server. Without the JACK
    library or a running server nothing is listed; list queries then start a look for the server
    at most about once a second, on a thread of its own, and a later query takes what it found,
    so that they never wait for a server that is not there.

    A request to the server that does not come back in time (a stopped server answers nothing)
    gives up the client: nothing is asked of it again, its ports stay out of the flow, and a later
    query looks for the server anew.

    For the message thread. Every connection must be destroyed before the devices.
*/
class JackMidiOutputDevices final : public MidiOutputDevices
{
public:
    /** Requests to the server get the given time before it counts as not answering. Once the
        quit has begun (the message loop has been told to stop, or at destruction), all requests
        together get at most 2 s, so that a quit is never held up for long.
    */
    explicit JackMidiOutputDevices (int requestTimeoutMilliseconds = 10000);

    ~JackMidiOutputDevices() override;

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices() override;
    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) override;

private:
    class Pimpl;

    /** The current client's state, replaced once that client has been given up. */
    Pimpl& current();

    const int requestTimeoutMilliseconds;
    std::unique_ptr<Pimpl> pimpl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JackMidiOutputDevices)
};
