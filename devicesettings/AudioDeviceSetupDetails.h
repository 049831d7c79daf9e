#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/** What the device selector gives its settings panel, and the panel its channel lists: the shared
    device manager and the limits on active channels. Copied by value; the manager is not owned.
*/
struct AudioDeviceSetupDetails
{
    juce::AudioDeviceManager& manager;

    int minNumInputChannels = 0;
    int maxNumInputChannels = 0; // 0 means no input settings at all
    int minNumOutputChannels = 0;
    int maxNumOutputChannels = 0;

    bool useStereoPairs = false; // one row per pair of channels instead of one per channel
};
