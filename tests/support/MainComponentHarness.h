#pragma once

#include "MainComponentTestAccess.h"
#include "RecordingMidiOutput.h"

#include <memory>

/** A MIDI device list from (name, identifier) pairs. */
juce::Array<juce::MidiDeviceInfo> midiDeviceList (std::initializer_list<std::pair<const char*, const char*>> devices);

/** Builds a main component against a clean settings folder, recording MIDI outputs, and a
    millisecond counter and wall clock that the test sets.
*/
class MainComponentHarness
{
public:
    MainComponentHarness();
    ~MainComponentHarness();

    /** Files that the component reads at construction. */
    void writeSettingsFile (const juce::String& content);
    void writeAudioConfiguration (const juce::String& content);

    /** Constructs the component; the message loop has not yet delivered the start-up notifications. */
    MainComponentTestAccess create();

    /** Lets the message loop deliver what is pending. */
    void settle (int milliseconds = 50);

    /** Destroys the component, which writes its files. */
    void destroy();

    /** The settings file as written, or nothing. */
    std::unique_ptr<juce::XmlElement> readSettingsFile() const;

    RecordingMidiOutputDevices midiOutputs;
    int64_t millisecondCounter = 1000000;
    juce::Time wallClock;
    std::unique_ptr<MainComponent> component;
};
