#include "UdpReceiver.h"

UdpReceiver::UdpReceiver (int port, const juce::String& address)
{
    // The framework's socket allows address reuse, so a sender's unbound socket never blocks this.
    bound = socket.bindToPort (port, address);
}

bool UdpReceiver::isBound() const
{
    return bound;
}

std::optional<std::vector<uint8_t>> UdpReceiver::receive (int timeoutMilliseconds)
{
    if (!bound || socket.waitUntilReady (true, timeoutMilliseconds) != 1)
        return std::nullopt;

    std::vector<uint8_t> datagram (2048);
    const auto size = socket.read (datagram.data(), (int) datagram.size(), false);

    if (size < 0)
        return std::nullopt;

    datagram.resize ((size_t) size);
    return datagram;
}
