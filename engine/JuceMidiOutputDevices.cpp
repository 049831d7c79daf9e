#include "JuceMidiOutputDevices.h"

namespace
{
    class JuceMidiOutputConnection final : public MidiOutputConnection
    {
    public:
        explicit JuceMidiOutputConnection (std::unique_ptr<juce::MidiOutput> outputToUse)
            : output (std::move (outputToUse))
        {
        }

        void sendBlockOfMessages (const juce::MidiBuffer& buffer,
                                  double millisecondCounterToStartAt,
                                  double samplesPerSecondForBuffer) override
        {
            output->sendBlockOfMessages (buffer, millisecondCounterToStartAt, samplesPerSecondForBuffer);
        }

        void startBackgroundThread() override { output->startBackgroundThread(); }
        void stopBackgroundThread() override { output->stopBackgroundThread(); }
        bool isBackgroundThreadRunning() const override { return output->isBackgroundThreadRunning(); }

    private:
        std::unique_ptr<juce::MidiOutput> output;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceMidiOutputConnection)
    };
} // namespace

juce::Array<juce::MidiDeviceInfo> JuceMidiOutputDevices::getAvailableDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

std::unique_ptr<MidiOutputConnection> JuceMidiOutputDevices::openDevice (const juce::String& identifier)
{
    if (auto output = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<JuceMidiOutputConnection> (std::move (output));

    return nullptr;
}
