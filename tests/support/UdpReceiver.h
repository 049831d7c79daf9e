#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>
#include <vector>

/** A UDP socket bound to a port on a loopback address (127.0.0.1 unless given) that collects the
    datagrams sent to it.
*/
class UdpReceiver
{
public:
    explicit UdpReceiver (int port, const juce::String& address = "127.0.0.1");

    /** False when the port could not be bound, for instance because another program holds it. */
    bool isBound() const;

    /** The next datagram, or nothing when none arrives within the time. */
    std::optional<std::vector<uint8_t>> receive (int timeoutMilliseconds);

private:
    juce::DatagramSocket socket;
    bool bound = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UdpReceiver)
};
