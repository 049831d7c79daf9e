#include "devicesettings/SimpleDeviceManagerInputLevelMeter.h"

#include "devicesettings/DeviceSettingsLogic.h"

SimpleDeviceManagerInputLevelMeter::SimpleDeviceManagerInputLevelMeter (juce::AudioDeviceManager& managerToUse)
    : manager (managerToUse)
{
    startTimer (50);
    inputLevelGetter = manager.getInputLevelGetter();
}

void SimpleDeviceManagerInputLevelMeter::paint (juce::Graphics& g)
{
    getLookAndFeel().drawLevelMeter (g, getWidth(), getHeight(), levelMeterValue (level));
}

void SimpleDeviceManagerInputLevelMeter::timerCallback()
{
    if (!isShowing())
    {
        level = 0.0f;
        return;
    }

    const auto newLevel = (float) inputLevelGetter->getCurrentLevel();

    if (levelChangeIsVisible (level, newLevel))
    {
        level = newLevel;
        repaint();
    }
}
