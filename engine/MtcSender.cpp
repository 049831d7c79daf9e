#include "MtcSender.h"

#include "engine/MidiTimecode.h"
#include "engine/MillisecondClock.h"
#include "engine/Timecode.h"

MtcSender::MtcSender (MidiOutputDevices& devicesToUse)
    : nextDueTime (monotonicMillisecondCounter())
    , devices (devicesToUse)
{
}

MtcSender::~MtcSender()
{
    // The output itself goes before the buffer, as members are destroyed in reverse order.
    stopSendThread();
}

void MtcSender::sendFrame()
{
    const auto counter = frameCounter;
    frameCounter = wrappingAdd (frameCounter, 2);

    if (!mtcMode || counter < 0 || !isOpen || midiOutput == nullptr || !midiOutput->isBackgroundThreadRunning())
        return;

    const auto rate = quarterFramesPerSecond (frameRate);

    if (!rate.has_value())
        return;

    const auto dataBytes = quarterFrameDataBytes (framesToTimecode (counter, frameRate), frameRate);

    for (int piece = 0; piece < 8; ++piece)
        quarterFrameBuffer.addEvent (juce::MidiMessage (0xf1, dataBytes[(size_t) piece]), piece);

    // Piece p goes out p quarter frames after now; the output's time base is the framework's
    // plain 32-bit millisecond counter.
    midiOutput->sendBlockOfMessages (quarterFrameBuffer,
                                     (double) juce::Time::getMillisecondCounter(),
                                     (double) *rate);

    // Clearing keeps the storage, so later calls allocate nothing here.
    quarterFrameBuffer.clear();
}

void MtcSender::openMidiOutput (juce::String name)
{
    stopSendThread();

    for (const auto& device : devices.getAvailableDevices())
    {
        if (device.name != name)
            continue;

        midiOutput = devices.openDevice (device.identifier);

        if (midiOutput != nullptr)
        {
            isOpen = true;
            midiOutput->startBackgroundThread();
        }

        return;
    }
}

void MtcSender::stopSendThread()
{
    if (midiOutput != nullptr && midiOutput->isBackgroundThreadRunning())
        midiOutput->stopBackgroundThread();
}
