#include "RecordingMidiOutput.h"

#include <algorithm>

namespace
{
    class RecordingConnection final : public MidiOutputConnection
    {
    public:
        RecordingConnection (std::shared_ptr<RecordedConnection> recordTo, juce::StringArray& eventLog)
            : record (std::move (recordTo))
            , events (eventLog)
        {
        }

        ~RecordingConnection() override
        {
            record->destroyed = true;
            events.add ("destroy " + record->identifier);
        }

        void sendBlockOfMessages (const juce::MidiBuffer& buffer,
                                  double millisecondCounterToStartAt,
                                  double samplesPerSecondForBuffer) override
        {
            RecordedBlock block;
            block.startMilliseconds = millisecondCounterToStartAt;
            block.samplesPerSecond = samplesPerSecondForBuffer;

            for (const auto metadata : buffer)
                block.messages.push_back ({metadata.samplePosition,
                                           std::vector<uint8_t> (metadata.data, metadata.data + metadata.numBytes)});

            record->blocks.push_back (std::move (block));
        }

        void startBackgroundThread() override
        {
            record->threadRunning = true;
            events.add ("start " + record->identifier);
        }

        void stopBackgroundThread() override
        {
            record->threadRunning = false;
            events.add ("stop " + record->identifier);
        }

        bool isBackgroundThreadRunning() const override { return record->threadRunning; }

    private:
        std::shared_ptr<RecordedConnection> record;
        juce::StringArray& events;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RecordingConnection)
    };
} // namespace

juce::Array<juce::MidiDeviceInfo> RecordingMidiOutputDevices::getAvailableDevices()
{
    return devices;
}

std::unique_ptr<MidiOutputConnection> RecordingMidiOutputDevices::openDevice (const juce::String& identifier)
{
    if (unopenableIdentifiers.contains (identifier))
        return nullptr;

    const auto listed = std::any_of (devices.begin(), devices.end(), [&] (const auto& device)
                                     { return device.identifier == identifier; });

    if (!listed)
        return nullptr;

    auto record = std::make_shared<RecordedConnection>();
    record->identifier = identifier;
    connections.push_back (record);
    events.add ("open " + identifier);

    return std::make_unique<RecordingConnection> (record, events);
}
