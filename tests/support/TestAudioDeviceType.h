#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <vector>

/** One device of a TestAudioDeviceType. */
struct TestDeviceDescription
{
    juce::String name;
    juce::StringArray outputChannelNames{"Output 1", "Output 2"};
    juce::StringArray inputChannelNames;
    juce::Array<double> sampleRates{44100.0, 48000.0};
    juce::Array<int> bufferSizes{256, 512};
    bool hasControlPanel = false;
    bool controlPanelChangesDevice = false; // what showControlPanel() reports
    bool failsToOpen = false;               // open() reports an error
};

/** An audio device type whose devices open at once and run no audio, so that the device settings
    can be driven through every device state without a sound card. Every device is listed both as
    an input and as an output device.
*/
class TestAudioDeviceType : public juce::AudioIODeviceType
{
public:
    TestAudioDeviceType (const juce::String& typeName,
                         std::vector<TestDeviceDescription> devices,
                         bool separateInputsAndOutputs = true);

    void scanForDevices() override;
    juce::StringArray getDeviceNames (bool wantInputNames) const override;
    int getDefaultDeviceIndex (bool forInput) const override;
    int getIndexOfDevice (juce::AudioIODevice* device, bool asInput) const override;
    bool hasSeparateInputsAndOutputs() const override;
    juce::AudioIODevice* createDevice (const juce::String& outputDeviceName, const juce::String& inputDeviceName) override;

    int numScans = 0;

private:
    std::vector<TestDeviceDescription> devices;
    bool separateInputsAndOutputs;
};
