#include "support/MainComponentHarness.h"
#include "support/TestEnvironment.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
    juce::String settingsXml (const juce::String& attributes)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config " + attributes + "/>\n";
    }

    /** An audio configuration for the test JACK server's "system" device with these output
        channels active (a bit string, first channel last).
    */
    juce::String jackSystemOutputs (const juce::String& activeOutputs)
    {
        return R"(<?xml version="1.0" encoding="UTF-8"?>
<DEVICESETUP deviceType="JACK" audioOutputDeviceName="system" audioInputDeviceName="system"
             audioDeviceRate="48000.0" audioDeviceInChans="1" audioDeviceOutChans=")" +
               activeOutputs + "\"/>\n";
    }
}

class MainComponentTest : public ::testing::Test
{
protected:
    MainComponentHarness harness;
};

TEST_F (MainComponentTest, FirstStartWithoutFilesHasTheDefaults)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());
    auto c = harness.create();

    EXPECT_EQ (c.outputMode(), 0);
    EXPECT_TRUE (c.smpteButton().getToggleState());
    EXPECT_FALSE (c.midiButton().getToggleState());
    EXPECT_FALSE (c.artNetButton().getToggleState());
    EXPECT_EQ (c.frameRate(), 24);
    EXPECT_EQ (c.clockState(), 1);
    EXPECT_EQ (c.clockText(), "00 00 00 00");
    EXPECT_EQ (c.settingsComponent().ipLabel.getText(), "127.0.0.1");
    EXPECT_EQ (c.artTimecodeSender().host, "127.0.0.1");
    EXPECT_FALSE (c.settingsComponent().isVisible());
    EXPECT_TRUE (c.settingsComponent().channelBox.isVisible());
    EXPECT_FALSE (c.settingsComponent().midiBox.isVisible());
    EXPECT_FALSE (c.settingsComponent().ipLabel.isVisible());
    EXPECT_EQ (c.hoursLabel().findColour (juce::Label::textColourId), juce::Colours::lightblue);
    EXPECT_EQ (c.pointLabel().findColour (juce::Label::textColourId), juce::Colours::lightblue);
    EXPECT_TRUE (c.hoursLabel().isEditableOnSingleClick());
    EXPECT_FALSE (c.hoursLabel().isEditableOnDoubleClick());
    EXPECT_EQ (c.component.getTimerInterval(), 1000);

    // Without an audio configuration the JACK device opens with one input and no output, so no
    // channel is offered.
    auto* device = c.deviceManager().getCurrentAudioDevice();
    ASSERT_NE (device, nullptr);
    EXPECT_EQ (device->getTypeName(), "JACK");
    EXPECT_TRUE (device->getActiveOutputChannels().isZero());
    EXPECT_EQ (device->getActiveInputChannels().countNumberOfSetBits(), 1);
    EXPECT_EQ (c.settingsComponent().channelBox.getNumItems(), 0);

    EXPECT_TRUE (TestEnvironment::settingsFolder().isDirectory());
}

TEST_F (MainComponentTest, LaysOutAtTheFixedSize)
{
    auto c = harness.create();

    EXPECT_EQ (c.component.getWidth(), 350);
    EXPECT_EQ (c.component.getHeight(), 322);
    EXPECT_EQ (c.smpteButton().getBounds(), juce::Rectangle<int> (75, 25, 50, 35));
    EXPECT_EQ (c.midiButton().getBounds(), juce::Rectangle<int> (126, 25, 48, 35));
    EXPECT_EQ (c.artNetButton().getBounds(), juce::Rectangle<int> (175, 25, 50, 35));
    EXPECT_EQ (c.settingsButton().getBounds(), juce::Rectangle<int> (226, 25, 49, 35));
    EXPECT_EQ (c.settingsComponent().getBounds(), juce::Rectangle<int> (75, 60, 200, 70));
    EXPECT_EQ (c.colonLabel1().getBounds(), juce::Rectangle<int> (89, 136, 70, 50));
    EXPECT_EQ (c.pointLabel().getBounds(), juce::Rectangle<int> (239, 136, 70, 50));
    EXPECT_EQ (c.hoursLabel().getBounds(), juce::Rectangle<int> (28, 136, 70, 50));
    EXPECT_EQ (c.minutesLabel().getBounds(), juce::Rectangle<int> (103, 136, 70, 50));
    EXPECT_EQ (c.secondsLabel().getBounds(), juce::Rectangle<int> (178, 136, 70, 50));
    EXPECT_EQ (c.hundredthsLabel().getBounds(), juce::Rectangle<int> (253, 136, 70, 50));
    EXPECT_EQ (c.backButton().getBounds(), juce::Rectangle<int> (75, 222, 50, 35));
    EXPECT_EQ (c.stopButton().getBounds(), juce::Rectangle<int> (126, 222, 49, 35));
    EXPECT_EQ (c.playPauseButton().getBounds(), juce::Rectangle<int> (176, 222, 49, 35));
    EXPECT_EQ (c.homeClockButton().getBounds(), juce::Rectangle<int> (226, 222, 49, 35));

    EXPECT_EQ (c.smpteButton().getConnectedEdgeFlags(), 2);
    EXPECT_EQ (c.midiButton().getConnectedEdgeFlags(), 3);
    EXPECT_EQ (c.settingsButton().getConnectedEdgeFlags(), 1);
    EXPECT_EQ (c.backButton().getConnectedEdgeFlags(), 2);
    EXPECT_EQ (c.homeClockButton().getConnectedEdgeFlags(), 1);
    EXPECT_FALSE (c.stopButton().getClickingTogglesState());
    EXPECT_TRUE (c.playPauseButton().getClickingTogglesState());
}

TEST_F (MainComponentTest, PaintsTheLogoAtTheBottomRight)
{
    auto c = harness.create();

    juce::Image image (juce::Image::ARGB, 350, 322, true);
    juce::Graphics g (image);
    c.component.paint (g);

    const auto logo = juce::ImageCache::getFromMemory (BinaryData::logo_png, BinaryData::logo_pngSize);
    for (int y = 0; y < 60; y += 7)
        for (int x = 0; x < 60; x += 7)
            EXPECT_EQ (image.getPixelAt (280 + x, 252 + y).getARGB(), logo.getPixelAt (x, y).getARGB());

    EXPECT_EQ (image.getPixelAt (279, 251).getAlpha(), 0);
}

TEST_F (MainComponentTest, RestoresEachOutputMode)
{
    struct Case
    {
        int mode;
        bool smpte, midi, artNet;
        bool channelBoxShown, midiBoxShown, ipLabelShown;
    };

    const Case cases[] = {
        { 0, true, false, false, true, false, false },
        { 1, false, true, false, false, true, false },
        { 2, false, false, true, false, false, true },
        { 3, false, false, false, true, true, true },
        { 7, false, false, false, true, true, true },
    };

    for (const auto& expected : cases)
    {
        SCOPED_TRACE (expected.mode);
        MainComponentHarness local;
        local.writeSettingsFile (settingsXml ("outputmode=\"" + juce::String (expected.mode) + "\" outgoingfps=\"25\""));
        auto c = local.create();

        EXPECT_EQ (c.outputMode(), expected.mode);
        EXPECT_EQ (c.smpteButton().getToggleState(), expected.smpte);
        EXPECT_EQ (c.midiButton().getToggleState(), expected.midi);
        EXPECT_EQ (c.artNetButton().getToggleState(), expected.artNet);
        EXPECT_EQ (c.settingsComponent().channelBox.isVisible(), expected.channelBoxShown);
        EXPECT_EQ (c.settingsComponent().midiBox.isVisible(), expected.midiBoxShown);
        EXPECT_EQ (c.settingsComponent().ipLabel.isVisible(), expected.ipLabelShown);
        EXPECT_EQ (c.mtcSender().mtcMode, expected.mode == 1);
        EXPECT_EQ (c.artTimecodeSender().artNetMode, expected.mode == 2);
    }
}

TEST_F (MainComponentTest, ShowsTheStoredStartWithoutReducingHours)
{
    const std::pair<int, juce::String> cases[] = {
        { 108000, "01 00 00 00" },
        { 2700000, "25 00 00 00" },
        { -30, "00 00 -1 00" },
        { 51, "00 00 01 70" },
    };

    for (const auto& [start, shown] : cases)
    {
        SCOPED_TRACE (start);
        MainComponentHarness local;
        local.writeSettingsFile (settingsXml ("outputmode=\"3\" outgoingfps=\"30\" start=\"" + juce::String (start) + "\""));
        auto c = local.create();

        EXPECT_EQ (c.clockText(), shown);
        EXPECT_EQ (c.clockPosition(), start);
        EXPECT_EQ (c.startPosition(), start);
        EXPECT_EQ (c.artTimecodeSender().frameCounter, start);
        EXPECT_EQ (c.mtcSender().frameCounter, start);
        EXPECT_EQ (c.ltcSender().frameCounter.load(), start);
    }
}

TEST_F (MainComponentTest, StoredRateTakesEffectOnlyWhenTheMessageLoopRuns)
{
    harness.writeSettingsFile (settingsXml ("outputmode=\"2\" outgoingfps=\"25\" start=\"45\" outgoingip=\"10.0.0.7\""));
    auto c = harness.create();

    EXPECT_EQ (c.frameRate(), 25);
    EXPECT_EQ (c.settingsComponent().fpsBox.getText(), "25FPS");
    EXPECT_EQ (c.artTimecodeSender().frameRate, 24);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 37);
    EXPECT_EQ (c.settingsComponent().ipLabel.getText(), "10.0.0.7");
    EXPECT_EQ (c.settingsComponent().lastValidIp, "10.0.0.7");
    EXPECT_EQ (c.artTimecodeSender().host, "10.0.0.7");

    harness.settle();

    EXPECT_EQ (c.artTimecodeSender().frameRate, 25);
    EXPECT_EQ (c.mtcSender().frameRate, 25);
    EXPECT_EQ (c.ltcSender().frameRate.load(), 25);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 37);
    EXPECT_EQ (c.ltcSender().frameCounter.load(), 37);
}

TEST_F (MainComponentTest, AMissingFrameRateLeavesTheCountersUntilTheBoxGivesTwentyFour)
{
    harness.writeSettingsFile (settingsXml ("start=\"60\""));
    auto c = harness.create();

    EXPECT_EQ (c.frameRate(), 0);
    EXPECT_EQ (c.settingsComponent().ipLabel.getText(), "");
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 0);

    harness.settle();

    EXPECT_EQ (c.frameRate(), 24);
    EXPECT_EQ (c.artTimecodeSender().frameCounter, 48);
}

TEST_F (MainComponentTest, AnotherRootTagKeepsEveryDefault)
{
    harness.writeSettingsFile ("<?xml version=\"1.0\"?>\n<Settings outputmode=\"2\" outgoingfps=\"30\" start=\"900\"/>");
    auto c = harness.create();

    EXPECT_EQ (c.outputMode(), 0);
    EXPECT_EQ (c.frameRate(), 24);
    EXPECT_EQ (c.startPosition(), 0);
}

TEST_F (MainComponentTest, SelectsTheLastMidiOutputOfTheStoredNameAndOpensItByName)
{
    harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" }, { "Twin", "t1" }, { "Twin", "t2" } });
    harness.writeSettingsFile (settingsXml ("outputmode=\"1\" outgoingfps=\"24\" prefmidi=\"Twin\""));
    auto c = harness.create();

    EXPECT_EQ (c.settingsComponent().midiBox.getSelectedId(), 3);
    ASSERT_FALSE (harness.midiOutputs.connections.empty());
    EXPECT_EQ (harness.midiOutputs.connections.front()->identifier, "t1");

    harness.settle();

    EXPECT_EQ (c.prefMidi(), "Twin");
    EXPECT_EQ (harness.midiOutputs.connections.back()->identifier, "t1");
    EXPECT_GE (harness.midiOutputs.connections.size(), 2u);
}

TEST_F (MainComponentTest, AnUnknownStoredMidiNameSelectsTheFirstOutput)
{
    harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" }, { "Port B", "b" } });
    harness.writeSettingsFile (settingsXml ("outputmode=\"1\" outgoingfps=\"24\" prefmidi=\"Gone\""));
    auto c = harness.create();
    harness.settle();

    EXPECT_EQ (c.settingsComponent().midiBox.getText(), "Port A");
    EXPECT_EQ (c.prefMidi(), "Port A");
    EXPECT_EQ (harness.midiOutputs.connections.back()->identifier, "a");
}

TEST_F (MainComponentTest, ChannelHandlerForgetsAChannelThatIsNotOffered)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());
    harness.writeAudioConfiguration (jackSystemOutputs ("11"));
    harness.writeSettingsFile (settingsXml ("outputmode=\"0\" outgoingfps=\"24\" prefoutputchannel=\"5\""));
    auto c = harness.create();
    EXPECT_EQ (c.prefOutputChannel(), 5);

    harness.settle();

    EXPECT_EQ (c.settingsComponent().channelBox.getNumItems(), 2);
    EXPECT_EQ (c.prefOutputChannel(), -1);
    EXPECT_EQ (c.ltcSender().outputChannel.load(), -1);
}

TEST_F (MainComponentTest, SavesTheSixSettingsAndWritesThemAtShutdown)
{
    harness.midiOutputs.devices = midiDeviceList ({ { "Port A", "a" } });
    harness.writeSettingsFile (settingsXml ("outputmode=\"2\" outgoingfps=\"30\" outgoingip=\"192.168.1.10\" start=\"900\""));
    auto c = harness.create();
    harness.settle();
    c.component.timerCallback();

    auto saved = harness.readSettingsFile();
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getTagName(), "Config");
    EXPECT_EQ (saved->getNumAttributes(), 6);
    EXPECT_EQ (saved->getAttributeName (0), "outputmode");
    EXPECT_EQ (saved->getAttributeName (5), "start");
    EXPECT_EQ (saved->getIntAttribute ("outputmode"), 2);
    EXPECT_EQ (saved->getIntAttribute ("outgoingfps"), 30);
    EXPECT_EQ (saved->getStringAttribute ("outgoingip"), "192.168.1.10");
    EXPECT_EQ (saved->getStringAttribute ("prefmidi"), "Port A");
    EXPECT_EQ (saved->getIntAttribute ("start"), 900);

    c.startPosition() = 1234;
    harness.destroy();

    saved = harness.readSettingsFile();
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getIntAttribute ("start"), 1234);
}

TEST_F (MainComponentTest, ChannelBoxFollowsTheActiveOutputsOfTheDevice)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    harness.writeAudioConfiguration (jackSystemOutputs ("10"));
    harness.writeSettingsFile (settingsXml ("outputmode=\"0\" outgoingfps=\"25\" prefoutputchannel=\"0\""));
    auto c = harness.create();

    auto& box = c.settingsComponent().channelBox;
    ASSERT_NE (c.deviceManager().getCurrentAudioDevice(), nullptr);
    ASSERT_EQ (box.getNumItems(), 1);
    EXPECT_EQ (box.getItemId (0), 2);

    harness.settle();
    EXPECT_EQ (c.prefOutputChannel(), 0);
    EXPECT_EQ (c.ltcSender().outputChannel.load(), 0);

    // Both outputs active: the refill keeps the chosen index.
    auto setup = c.deviceManager().getAudioDeviceSetup();
    setup.useDefaultOutputChannels = false;
    setup.outputChannels.setRange (0, 2, true);
    ASSERT_TRUE (c.deviceManager().setAudioDeviceSetup (setup, true).isEmpty());
    harness.settle (200);

    ASSERT_EQ (box.getNumItems(), 2);
    EXPECT_EQ (box.getItemId (0), 1);
    EXPECT_EQ (box.getItemId (1), 2);
    EXPECT_EQ (box.getSelectedItemIndex(), 0);
    EXPECT_EQ (c.ltcSender().outputChannel.load(), 0);

    // No output active: the box empties and the sender's channel is forgotten.
    setup.outputChannels.clear();
    ASSERT_TRUE (c.deviceManager().setAudioDeviceSetup (setup, true).isEmpty());
    harness.settle (200);

    EXPECT_EQ (box.getNumItems(), 0);
    EXPECT_EQ (c.prefOutputChannel(), -1);
    EXPECT_EQ (c.ltcSender().outputChannel.load(), -1);

    harness.destroy();
    const auto audioConfiguration = juce::parseXML (TestEnvironment::settingsFolder().getChildFile ("audioConfig.zarnc"));
    ASSERT_NE (audioConfiguration, nullptr);
    EXPECT_TRUE (audioConfiguration->hasTagName ("DEVICESETUP"));
    EXPECT_EQ (audioConfiguration->getStringAttribute ("deviceType"), "JACK");
}

TEST_F (MainComponentTest, WithoutADeviceSetupTheAudioConfigurationIsLeftAlone)
{
    harness.writeAudioConfiguration ("not a device setup");
    harness.create();
    harness.destroy();

    EXPECT_EQ (TestEnvironment::settingsFolder().getChildFile ("audioConfig.zarnc").loadFileAsString(), "not a device setup");
}

TEST_F (MainComponentTest, ThePreferencesCommandTogglesTheWindowCentredOnTheContent)
{
    auto c = harness.create();
    auto* window = c.preferencesWindow();
    ASSERT_NE (window, nullptr);
    EXPECT_FALSE (window->isVisible());

    juce::StringArray names = c.component.getMenuBarModel().getMenuBarNames();
    EXPECT_EQ (names, juce::StringArray ("Options"));
    EXPECT_EQ (c.component.getMenuBarModel().getMenuForIndex (0, "Options").getNumItems(), 1);
    EXPECT_EQ (c.component.getMenuBarModel().getMenuForIndex (0, "options").getNumItems(), 0);

    juce::ApplicationCommandInfo info (MainComponent::preferencesCommandId);
    c.component.getCommandInfo (MainComponent::preferencesCommandId, info);
    EXPECT_EQ (info.shortName, "Preferences");
    EXPECT_EQ (info.categoryName, "Menu");
    ASSERT_EQ (info.defaultKeypresses.size(), 1);
    EXPECT_EQ (info.defaultKeypresses[0], juce::KeyPress ('p', juce::ModifierKeys::commandModifier, 0));

    EXPECT_FALSE (c.component.perform (juce::ApplicationCommandTarget::InvocationInfo (2)));
    ASSERT_TRUE (c.component.perform (juce::ApplicationCommandTarget::InvocationInfo (MainComponent::preferencesCommandId)));
    EXPECT_TRUE (window->isVisible());
    EXPECT_EQ (window->getBounds().getCentre(), c.component.getScreenBounds().getCentre());

    ASSERT_TRUE (c.component.perform (juce::ApplicationCommandTarget::InvocationInfo (MainComponent::preferencesCommandId)));
    EXPECT_FALSE (window->isVisible());
}
