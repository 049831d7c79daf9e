#pragma once

#include "devicesettings/ZarnAudioDeviceSelectorComponent.h"

#include <juce_audio_utils/juce_audio_utils.h>

/** The "Audio" page of the device settings window: the device selector in a vertically scrolling
    viewport on a dark background.

    Building the page gives the framework's default look and feel its dark colours, which the
    whole selector then draws with. The page plays no audio; its own device manager stays closed.
*/
class AudioSetup : public juce::AudioAppComponent,
                   public juce::ChangeListener
{
public:
    explicit AudioSetup (juce::AudioDeviceManager& sharedDeviceManager);
    ~AudioSetup() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void prepareToPlay (int samplesPerBlockExpected, double sampleRate) override;
    void releaseResources() override;
    void getNextAudioBlock (const juce::AudioSourceChannelInfo& bufferToFill) override;

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void restyleDefaultLookAndFeel();

    juce::AudioDeviceManager& sharedDeviceManager;
    juce::Viewport viewport;
    std::unique_ptr<ZarnAudioDeviceSelectorComponent> selector;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioSetup)
};
