#include "LtcDecoder.h"

#include <ltc.h>

#include <cstring>

int DecodedLtcFrame::frameNumber (int frameRate) const
{
    return ((hours * 60 + minutes) * 60 + seconds) * frameRate + frames;
}

std::vector<DecodedLtcFrame> decodeLtc (const std::vector<float>& samples, int samplesPerFrame)
{
    auto* decoder = ltc_decoder_create (samplesPerFrame, 256);

    // libltc takes a non-const buffer.
    auto buffer = samples;
    ltc_decoder_write_float (decoder, buffer.data(), buffer.size(), 0);

    std::vector<DecodedLtcFrame> decoded;
    LTCFrameExt frame;

    while (ltc_decoder_read (decoder, &frame) > 0)
    {
        SMPTETimecode time;
        ltc_frame_to_time (&time, &frame.ltc, 0);

        DecodedLtcFrame result;
        result.hours = time.hours;
        result.minutes = time.mins;
        result.seconds = time.secs;
        result.frames = time.frame;

        // The bit fields of LTCFrame follow the order of the bits on the wire.
        unsigned char bytes[sizeof (LTCFrame)];
        std::memcpy (bytes, &frame.ltc, sizeof (bytes));

        for (int bit = 0; bit < 80; ++bit)
            result.bits.push_back ((bytes[bit / 8] >> (bit % 8)) & 1);

        decoded.push_back (result);
    }

    ltc_decoder_free (decoder);
    return decoded;
}
