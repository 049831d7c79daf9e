#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

/** One open MIDI output port with a background thread that sends timed blocks of messages,
    in the manner of juce::MidiOutput.
*/
class MidiOutputConnection
{
public:
    virtual ~MidiOutputConnection() = default;

    /** Queues a block: the message at sample position p goes out at
        millisecondCounterToStartAt + p * 1000 / samplesPerSecondForBuffer, in the time of
        juce::Time::getMillisecondCounter.
    */
    virtual void sendBlockOfMessages (const juce::MidiBuffer& buffer,
                                      double millisecondCounterToStartAt,
                                      double samplesPerSecondForBuffer) = 0;

    virtual void startBackgroundThread() = 0;

    /** Stops the send thread, waiting at most 5000 ms. */
    virtual void stopBackgroundThread() = 0;

    virtual bool isBackgroundThreadRunning() const = 0;
};

/** The MIDI output devices of the system: listed by name and identifier, opened by identifier. */
class MidiOutputDevices
{
public:
    virtual ~MidiOutputDevices() = default;

    virtual juce::Array<juce::MidiDeviceInfo> getAvailableDevices() = 0;

    /** Opens the device with this identifier, or returns nothing when it cannot be opened. */
    virtual std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier) = 0;
};

/** The devices the program itself uses. */
MidiOutputDevices& systemMidiOutputDevices();
