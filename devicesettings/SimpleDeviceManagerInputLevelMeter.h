#pragma once

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

/** A meter of the device manager's current input level, polled every 50 ms while it is on screen. */
class SimpleDeviceManagerInputLevelMeter : public juce::Component,
                                           public juce::Timer
{
public:
    explicit SimpleDeviceManagerInputLevelMeter (juce::AudioDeviceManager& manager);

    void paint (juce::Graphics& g) override;
    void timerCallback() override;

private:
    juce::AudioDeviceManager& manager;
    juce::AudioDeviceManager::LevelMeter::Ptr inputLevelGetter;
    float level = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimpleDeviceManagerInputLevelMeter)
};
