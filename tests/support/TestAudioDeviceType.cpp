#include "TestAudioDeviceType.h"

namespace
{
    class TestAudioDevice : public juce::AudioIODevice
    {
    public:
        TestAudioDevice (const TestDeviceDescription& descriptionToUse, const juce::String& typeName)
            : juce::AudioIODevice (descriptionToUse.name, typeName)
            , description (descriptionToUse)
        {
        }

        ~TestAudioDevice() override { close(); }

        juce::StringArray getOutputChannelNames() override { return description.outputChannelNames; }
        juce::StringArray getInputChannelNames() override { return description.inputChannelNames; }
        juce::Array<double> getAvailableSampleRates() override { return description.sampleRates; }
        juce::Array<int> getAvailableBufferSizes() override { return description.bufferSizes; }
        int getDefaultBufferSize() override { return description.bufferSizes.getFirst(); }

        juce::String open (const juce::BigInteger& inputs, const juce::BigInteger& outputs, double rate, int bufferSize) override
        {
            if (description.failsToOpen)
                return "The test device refuses to open";

            activeInputs = inputs;
            activeInputs.setRange (description.inputChannelNames.size(), 256, false);
            activeOutputs = outputs;
            activeOutputs.setRange (description.outputChannelNames.size(), 256, false);
            sampleRate = rate;
            currentBufferSize = bufferSize;
            opened = true;
            return {};
        }

        void close() override
        {
            stop();
            opened = false;
        }

        bool isOpen() override { return opened; }

        void start (juce::AudioIODeviceCallback* newCallback) override
        {
            if (newCallback != nullptr)
                newCallback->audioDeviceAboutToStart (this);

            callback = newCallback;
        }

        void stop() override
        {
            if (auto* old = std::exchange (callback, nullptr))
                old->audioDeviceStopped();
        }

        bool isPlaying() override { return callback != nullptr; }
        juce::String getLastError() override { return {}; }
        int getCurrentBufferSizeSamples() override { return currentBufferSize; }
        double getCurrentSampleRate() override { return sampleRate; }
        int getCurrentBitDepth() override { return 32; }
        juce::BigInteger getActiveOutputChannels() const override { return activeOutputs; }
        juce::BigInteger getActiveInputChannels() const override { return activeInputs; }
        int getOutputLatencyInSamples() override { return 0; }
        int getInputLatencyInSamples() override { return 0; }
        bool hasControlPanel() const override { return description.hasControlPanel; }
        bool showControlPanel() override { return description.controlPanelChangesDevice; }

    private:
        TestDeviceDescription description;
        juce::BigInteger activeInputs, activeOutputs;
        double sampleRate = 0.0;
        int currentBufferSize = 0;
        bool opened = false;
        juce::AudioIODeviceCallback* callback = nullptr;
    };
} // namespace

TestAudioDeviceType::TestAudioDeviceType (const juce::String& typeName,
                                          std::vector<TestDeviceDescription> devicesToList,
                                          bool separate)
    : juce::AudioIODeviceType (typeName)
    , devices (std::move (devicesToList))
    , separateInputsAndOutputs (separate)
{
}

void TestAudioDeviceType::scanForDevices()
{
    ++numScans;
}

juce::StringArray TestAudioDeviceType::getDeviceNames (bool) const
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name);

    return names;
}

int TestAudioDeviceType::getDefaultDeviceIndex (bool) const
{
    return 0;
}

int TestAudioDeviceType::getIndexOfDevice (juce::AudioIODevice* device, bool asInput) const
{
    if (device == nullptr || device->getTypeName() != getTypeName())
        return -1;

    return getDeviceNames (asInput).indexOf (device->getName());
}

bool TestAudioDeviceType::hasSeparateInputsAndOutputs() const
{
    return separateInputsAndOutputs;
}

juce::AudioIODevice* TestAudioDeviceType::createDevice (const juce::String& outputDeviceName, const juce::String& inputDeviceName)
{
    const auto& name = outputDeviceName.isNotEmpty() ? outputDeviceName : inputDeviceName;

    for (const auto& device : devices)
        if (device.name == name)
            return new TestAudioDevice (device, getTypeName());

    return nullptr;
}
