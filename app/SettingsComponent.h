#pragma once

#include "app/IosLookAndFeel.h"
#include "engine/MidiOutputDevices.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The light-blue panel below the output-mode buttons: the frame-rate box on the first row and,
    on the second, the control of the current output mode (the audio channel box, the MIDI output
    box or the Art-Net address). The owner attaches the handlers, chooses the visible second-row
    control and uses the members directly.
*/
class SettingsComponent : public juce::Component
{
public:
    /** Fills the MIDI output box with the names of the given devices. Every selection made here
        notifies asynchronously, so handlers attached after construction run once from the message loop.
    */
    explicit SettingsComponent (MidiOutputDevices& midiOutputs);

    void paint (juce::Graphics&) override;
    void resized() override;

    /** Declared first so that it outlives every control that uses it. */
    IosLookAndFeel lookAndFeel;

    /** The Art-Net destination address, edited in place. */
    juce::Label ipLabel;

    /** "24FPS", "25FPS" and "30FPS" with ids 1 to 3. */
    juce::ComboBox fpsBox;

    /** One item per MIDI output device, ids from 1. */
    juce::ComboBox midiBox;

    /** One item per active audio output channel, id = channel number + 1; filled by the owner. */
    juce::ComboBox channelBox;

    /** The address last accepted, to which an invalid edit of ipLabel reverts. */
    juce::String lastValidIp;

private:
    void centreIpEditor();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SettingsComponent)
};
