#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>
#include <memory>

/** Sends the timecode as Art-Net ArtTimeCode packets over UDP, one packet per due frame.

    Lives on the message thread and has no thread of its own: the clock tick decides from
    nextDueTime and pacingCycle when a frame is due and then calls sendFrame. Nothing is received.
*/
class ArtTimecodeSender
{
public:
    /** The Art-Net UDP port, which every packet goes to. */
    static constexpr int artNetPort = 6454;

    /** The length of an ArtTimeCode packet. */
    static constexpr int packetSize = 19;

    ArtTimecodeSender();

    /** In Art-Net mode, sends the frame that frameCounter holds, if it is not negative and host is
        a numeric IPv4 address; then counts one frame on, whether or not a packet went out.
    */
    void sendFrame();

    int frameRate = 24;
    int frameCounter = 0;
    bool isRunning = false;
    juce::String host{"127.0.0.1"};
    bool artNetMode = false;
    int64_t nextDueTime = 0;
    uint8_t pacingCycle = 0;
    std::unique_ptr<juce::DatagramSocket> socket;
    std::array<uint8_t, packetSize> packet;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ArtTimecodeSender)
};
