#include "MainComponentHarness.h"

#include "TestEnvironment.h"

juce::Array<juce::MidiDeviceInfo> midiDeviceList (std::initializer_list<std::pair<const char*, const char*>> devices)
{
    juce::Array<juce::MidiDeviceInfo> list;
    for (const auto& [name, identifier] : devices)
        list.add ({ name, identifier });
    return list;
}

MainComponentHarness::MainComponentHarness()
{
    TestEnvironment::settingsFolder().deleteRecursively();
}

MainComponentHarness::~MainComponentHarness()
{
    destroy();
}

void MainComponentHarness::writeSettingsFile (const juce::String& content)
{
    TestEnvironment::settingsFolder().createDirectory();
    TestEnvironment::settingsFolder().getChildFile ("Autosave.zarntm").replaceWithText (content);
}

void MainComponentHarness::writeAudioConfiguration (const juce::String& content)
{
    TestEnvironment::settingsFolder().createDirectory();
    TestEnvironment::settingsFolder().getChildFile ("audioConfig.zarnc").replaceWithText (content);
}

MainComponentTestAccess MainComponentHarness::create()
{
    component = std::make_unique<MainComponent> (midiOutputs,
                                                 [this] { return millisecondCounter; },
                                                 [this] { return wallClock; });
    return MainComponentTestAccess (*component);
}

void MainComponentHarness::settle (int milliseconds)
{
    TestEnvironment::runMessageLoop (milliseconds);
}

void MainComponentHarness::destroy()
{
    component.reset();
}

std::unique_ptr<juce::XmlElement> MainComponentHarness::readSettingsFile() const
{
    return juce::parseXML (TestEnvironment::settingsFolder().getChildFile ("Autosave.zarntm"));
}
