#include "ArtTimecodeSender.h"

#include "engine/Ipv4Address.h"
#include "engine/MillisecondClock.h"
#include "engine/Timecode.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace
{
    // The Type byte of ArtTimeCode; 2 (29.97 drop-frame) is never used.
    std::optional<uint8_t> artNetTypeOf (int frameRate)
    {
        switch (frameRate)
        {
            case 24:
                return 0;
            case 25:
                return 1;
            case 30:
                return 3;
            default:
                return std::nullopt;
        }
    }
} // namespace

ArtTimecodeSender::ArtTimecodeSender()
{
    // ID "Art-Net" with its zero byte, OpCode OpTimeCode low byte first, protocol version 14 and
    // two filler bytes; the time fields follow, and the type starts at 30 fps.
    const uint8_t header[] = {'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x97, 0, 14, 0, 0};
    packet.fill (0);
    std::copy (std::begin (header), std::end (header), packet.begin());
    packet[18] = 3;

    // With broadcasting enabled the framework's socket already sets 64 KiB receive and send
    // buffers, then permission to broadcast, each only if the one before succeeded, and then
    // address reuse. It is never bound: the system picks the source port at the first send.
    socket = std::make_unique<juce::DatagramSocket> (true);
    nextDueTime = monotonicMillisecondCounter();
}

void ArtTimecodeSender::sendFrame()
{
    const auto type = artNetTypeOf (frameRate);

    if (artNetMode && type.has_value())
    {
        const auto time = framesToTimecode (frameCounter, frameRate);
        packet[14] = (uint8_t) time.frames;
        packet[15] = (uint8_t) time.seconds;
        packet[16] = (uint8_t) time.minutes;
        packet[17] = (uint8_t) time.hours;
        packet[18] = *type;

        // Any other text would go to a name lookup, which can block the message thread on every
        // due frame while it fails.
        if (frameCounter >= 0 && isNumericIpv4Address (host))
            socket->write (host, artNetPort, packet.data(), packetSize);
    }

    frameCounter = wrappingAdd (frameCounter, 1);
}
