#include "devicesettings/AudioDeviceSettingsPanel.h"
#include "devicesettings/ChannelSelectorListBox.h"
#include "devicesettings/MidiInputSelectorComponentListBox.h"
#include "devicesettings/SimpleDeviceManagerInputLevelMeter.h"
#include "devicesettings/ZarnAudioDeviceSelectorComponent.h"
#include "support/ComponentSearch.h"
#include "support/TestAudioDeviceType.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ComponentSearch;
using ChannelList = AudioDeviceSettingsPanel::ChannelSelectorListBox;
using Rect = juce::Rectangle<int>;

namespace
{
    std::vector<TestDeviceDescription> testDevices()
    {
        TestDeviceDescription nineOut{"Nine Out"};
        nineOut.outputChannelNames.clear();

        for (int i = 1; i <= 9; ++i)
            nineOut.outputChannelNames.add ("Output " + juce::String (i));

        TestDeviceDescription withInputs{"With Inputs"};
        withInputs.inputChannelNames = {"Input 1", "Input 2"};

        TestDeviceDescription withPanel{"With Panel"};
        withPanel.hasControlPanel = true;
        withPanel.controlPanelChangesDevice = true;

        TestDeviceDescription broken{"Broken"};
        broken.failsToOpen = true;

        return {TestDeviceDescription{"Two Out"}, nineOut, withInputs, withPanel, broken};
    }

    void openDevice (juce::AudioDeviceManager& manager, const juce::String& name)
    {
        auto setup = manager.getAudioDeviceSetup();
        setup.outputDeviceName = name;
        setup.inputDeviceName = {};
        setup.useDefaultOutputChannels = true;
        ASSERT_TRUE (manager.setAudioDeviceSetup (setup, true).isEmpty());
    }

    // Lets the manager's change notifications and the boxes' asynchronous updates arrive.
    void settle()
    {
        TestEnvironment::runMessageLoop (50);
    }

    juce::MouseEvent mouseEventAt (juce::Component& component, float x, float y)
    {
        const juce::Point<float> position{x, y};
        const auto now = juce::Time::getCurrentTime();

        return {juce::Desktop::getInstance().getMainMouseSource(),
                position,
                {},
                juce::MouseInputSource::defaultPressure,
                juce::MouseInputSource::defaultOrientation,
                juce::MouseInputSource::defaultRotation,
                juce::MouseInputSource::defaultTiltX,
                juce::MouseInputSource::defaultTiltY,
                &component,
                &component,
                now,
                position,
                now,
                1,
                false};
    }

    juce::AlertWindow* findAlert (const juce::String& title)
    {
        for (int i = 0; i < juce::TopLevelWindow::getNumTopLevelWindows(); ++i)
            if (auto* alert = dynamic_cast<juce::AlertWindow*> (juce::TopLevelWindow::getTopLevelWindow (i)))
                if (alert->getName() == title)
                    return alert;

        return nullptr;
    }

    struct StartCounter : public juce::AudioIODeviceCallback
    {
        void audioDeviceAboutToStart (juce::AudioIODevice*) override { ++starts; }
        void audioDeviceStopped() override {}

        int starts = 0;
    };

    class DeviceSelectorTest : public ::testing::Test
    {
    protected:
        DeviceSelectorTest()
        {
            manager.addAudioDeviceType (std::make_unique<TestAudioDeviceType> ("Test", testDevices()));
            openDevice (manager, "Two Out");
        }

        std::unique_ptr<ZarnAudioDeviceSelectorComponent> makeSelector (int maxInputs = 0,
                                                                        bool midi = false,
                                                                        bool stereoPairs = false,
                                                                        bool hideAdvanced = false)
        {
            auto selector = std::make_unique<ZarnAudioDeviceSelectorComponent> (manager, 0, maxInputs, 0, 256, midi, midi, stereoPairs, hideAdvanced);
            selector->setBounds (0, 0, 500, selector->getItemHeight());
            return selector;
        }

        juce::BigInteger activeOutputs() const
        {
            return manager.getAudioDeviceSetup().outputChannels;
        }

        juce::AudioDeviceManager manager;
    };
} // namespace

TEST_F (DeviceSelectorTest, TheProgramsArgumentsShowOnlyTheOutputSettings)
{
    const auto selector = makeSelector();

    EXPECT_EQ (findLabel (*selector, "Audio device type:"), nullptr);
    auto* panel = findFirst<AudioDeviceSettingsPanel> (*selector);
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getBounds(), Rect (0, 15, 500, 158));
    EXPECT_EQ (selector->getHeight(), 158 + 45);

    auto* outputBox = findLabelled<juce::ComboBox> (*panel, "Output:");
    ASSERT_NE (outputBox, nullptr);
    EXPECT_EQ (itemTexts (*outputBox), juce::StringArray ({"Two Out", "Nine Out", "With Inputs", "With Panel", "Broken", "no output"}));
    EXPECT_EQ (outputBox->getText(), "Two Out");

    auto* channels = findLabelled<ChannelList> (*panel, "Active output channels:");
    ASSERT_NE (channels, nullptr);
    EXPECT_EQ (channels->getBounds(), Rect (175, 30, 300, 44));
    EXPECT_EQ (findLabel (*panel, "Active output channels:")->getBounds(), Rect (0, 40, 175, 24));

    auto* rates = findLabelled<juce::ComboBox> (*panel, "Sample rate:");
    ASSERT_NE (rates, nullptr);
    EXPECT_EQ (itemTexts (*rates), juce::StringArray ({"44100 Hz", "48000 Hz"}));
    EXPECT_EQ (rates->getSelectedId(), 44100);

    auto* sizes = findLabelled<juce::ComboBox> (*panel, "Audio buffer size:");
    ASSERT_NE (sizes, nullptr);
    EXPECT_EQ (itemTexts (*sizes), juce::StringArray ({"256 samples (5.8 ms)", "512 samples (11.6 ms)"}));
    EXPECT_EQ (sizes->getSelectedId(), 256);

    EXPECT_EQ (findLabel (*selector, "Input:"), nullptr);
    EXPECT_EQ (findFirst<SimpleDeviceManagerInputLevelMeter> (*selector), nullptr);
    EXPECT_TRUE (findAll<juce::TextButton> (*selector).empty());
    EXPECT_EQ (findAll<juce::ListBox> (*selector).size(), 1u);
}

TEST_F (DeviceSelectorTest, RateAndBufferSizeBoxesReconfigureTheManager)
{
    const auto selector = makeSelector();
    auto* rates = findLabelled<juce::ComboBox> (*selector, "Sample rate:");
    auto* sizes = findLabelled<juce::ComboBox> (*selector, "Audio buffer size:");
    ASSERT_TRUE (rates != nullptr && sizes != nullptr);

    rates->setSelectedId (48000, juce::sendNotificationSync);
    EXPECT_EQ (manager.getAudioDeviceSetup().sampleRate, 48000.0);
    settle();
    EXPECT_EQ (sizes->getText(), "256 samples (5.3 ms)");

    sizes->setSelectedId (512, juce::sendNotificationSync);
    EXPECT_EQ (manager.getAudioDeviceSetup().bufferSize, 512);
    settle();

    // The refresh refills the same boxes and leaves the choices in place.
    EXPECT_EQ (rates, findLabelled<juce::ComboBox> (*selector, "Sample rate:"));
    EXPECT_EQ (rates->getText(), "48000 Hz");
    EXPECT_EQ (sizes->getText(), "512 samples (10.7 ms)");
    EXPECT_EQ (manager.getAudioDeviceSetup().sampleRate, 48000.0);
}

TEST_F (DeviceSelectorTest, AFractionalRateIsShownWithoutReopeningTheDevice)
{
    TestDeviceDescription fractional { "Fractional" };
    fractional.sampleRates = { 44100.4, 48000.0 };

    juce::AudioDeviceManager fractionalManager;
    fractionalManager.addAudioDeviceType (std::make_unique<TestAudioDeviceType> ("Test", std::vector<TestDeviceDescription> { fractional }));
    openDevice (fractionalManager, "Fractional");
    ASSERT_EQ (fractionalManager.getCurrentAudioDevice()->getCurrentSampleRate(), 44100.4);

    // A restart loop keeps the message loop busy for ever: after a few starts, stop the refreshes
    // that feed it, so that the test fails instead of hanging.
    struct LoopBreaker : StartCounter
    {
        explicit LoopBreaker (juce::ChangeBroadcaster& broadcaster) : refreshes (broadcaster) {}

        void audioDeviceAboutToStart (juce::AudioIODevice* device) override
        {
            StartCounter::audioDeviceAboutToStart (device);

            if (starts > 5)
                refreshes.removeAllChangeListeners();
        }

        juce::ChangeBroadcaster& refreshes;
    };

    LoopBreaker counter (fractionalManager);
    fractionalManager.addAudioCallback (&counter);

    {
        ZarnAudioDeviceSelectorComponent selector (fractionalManager, 0, 0, 0, 256, false, false, false, false);
        selector.setBounds (0, 0, 500, selector.getItemHeight());
        auto* rates = findLabelled<juce::ComboBox> (selector, "Sample rate:");
        ASSERT_NE (rates, nullptr);

        // Every refresh hands the shown rate, 44100, back to the manager.
        fractionalManager.sendChangeMessage();
        for (int i = 0; i < 4; ++i)
            settle();

        EXPECT_EQ (counter.starts, 1) << "the device was reopened";
        EXPECT_EQ (rates->getText(), "44100 Hz");

        rates->setSelectedId (48000, juce::sendNotificationSync);
        settle();
        EXPECT_EQ (counter.starts, 2);
        EXPECT_EQ (fractionalManager.getCurrentAudioDevice()->getCurrentSampleRate(), 48000.0);
    }

    fractionalManager.removeAudioCallback (&counter);
}

TEST_F (DeviceSelectorTest, TheOutputBoxOpensAndClosesDevices)
{
    const auto selector = makeSelector();
    auto* panel = findFirst<AudioDeviceSettingsPanel> (*selector);
    auto* outputBox = findLabelled<juce::ComboBox> (*selector, "Output:");
    ASSERT_NE (outputBox, nullptr);

    outputBox->setSelectedId (2, juce::sendNotificationSync);
    ASSERT_NE (manager.getCurrentAudioDevice(), nullptr);
    EXPECT_EQ (manager.getCurrentAudioDevice()->getName(), "Nine Out");
    settle();

    auto* channels = findFirst<ChannelList> (*panel);
    ASSERT_NE (channels, nullptr);
    EXPECT_EQ (channels->getNumRows(), 9);
    EXPECT_EQ (channels->getHeight(), 88);
    EXPECT_EQ (selector->getHeight(), panel->getHeight() + 45);

    // "no output" leaves only the device box.
    outputBox->setSelectedId (-1, juce::sendNotificationSync);
    EXPECT_EQ (manager.getCurrentAudioDevice(), nullptr);
    settle();
    EXPECT_EQ (findFirst<ChannelList> (*panel), nullptr);
    EXPECT_EQ (findAll<juce::ComboBox> (*panel).size(), 1u);
    EXPECT_EQ (outputBox->getText(), "no output");

    outputBox->setSelectedId (1, juce::sendNotificationSync);
    settle();
    EXPECT_NE (findFirst<ChannelList> (*panel), nullptr);
    EXPECT_NE (findLabelled<juce::ComboBox> (*panel, "Audio buffer size:"), nullptr);
}

TEST_F (DeviceSelectorTest, ADeviceThatFailsShowsTheWarningAndNoDevice)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    const auto selector = makeSelector();
    auto* outputBox = findLabelled<juce::ComboBox> (*selector, "Output:");
    ASSERT_NE (outputBox, nullptr);

    const auto chooseAndDismiss = [&] (int id)
    {
        outputBox->setSelectedId (id, juce::sendNotificationSync);
        EXPECT_EQ (outputBox->getText(), "no output");

        auto* alert = findAlert ("Error when trying to open audio device!");
        ASSERT_NE (alert, nullptr);
        alert->exitModalState (0);
        settle();
        EXPECT_EQ (findAlert ("Error when trying to open audio device!"), nullptr);
    };

    chooseAndDismiss (5);

    // A device that has gone since the box was filled.
    outputBox->addItem ("Unplugged", 99);
    chooseAndDismiss (99);

    EXPECT_EQ (manager.getCurrentAudioDevice(), nullptr);
    EXPECT_EQ (findFirst<ChannelList> (*selector), nullptr);
}

TEST_F (DeviceSelectorTest, ChannelRowsSwitchChannelsInTheManager)
{
    const auto selector = makeSelector();
    auto* channels = findFirst<ChannelList> (*selector);
    ASSERT_NE (channels, nullptr);
    ASSERT_EQ (activeOutputs(), juce::BigInteger (3));

    // A click on the name only selects; a click on the square switches.
    channels->listBoxItemClicked (1, mouseEventAt (*channels, 40.0f, 5.0f));
    EXPECT_EQ (channels->getSelectedRow(), 1);
    EXPECT_EQ (activeOutputs(), juce::BigInteger (3));

    channels->listBoxItemClicked (1, mouseEventAt (*channels, 10.0f, 5.0f));
    EXPECT_EQ (activeOutputs(), juce::BigInteger (1));

    // The last active channel can go off too.
    channels->returnKeyPressed (0);
    EXPECT_TRUE (activeOutputs().isZero());

    channels->listBoxItemDoubleClicked (1, mouseEventAt (*channels, 200.0f, 5.0f));
    EXPECT_EQ (activeOutputs(), juce::BigInteger (2));

    channels->flipEnablement (2);
    channels->flipEnablement (-1);
    EXPECT_EQ (activeOutputs(), juce::BigInteger (2));
}

TEST_F (DeviceSelectorTest, ChannelRowsPaintTheManagersState)
{
    const auto selector = makeSelector();
    auto* channels = findFirst<ChannelList> (*selector);
    ASSERT_NE (channels, nullptr);

    channels->flipEnablement (1);
    settle();

    const auto image = channels->createComponentSnapshot (channels->getLocalBounds());
    EXPECT_EQ (image.getPixelAt (11, 11), juce::Colours::lightgreen);
    EXPECT_EQ (image.getPixelAt (11, 33), juce::Colours::lightblue);

    // Stacked squares are kept apart by a line of the row colour.
    EXPECT_EQ (image.getPixelAt (11, 22), juce::Colour (0xff464646));
    EXPECT_EQ (image.getPixelAt (290, 11), juce::Colour (0xff464646));
}

TEST_F (DeviceSelectorTest, StereoPairsSwitchBothChannels)
{
    openDevice (manager, "Nine Out");
    const auto selector = makeSelector (0, false, true);
    auto* channels = findFirst<ChannelList> (*selector);
    ASSERT_NE (channels, nullptr);
    EXPECT_EQ (channels->getNumRows(), 5);

    channels->flipEnablement (2);
    EXPECT_EQ (activeOutputs(), juce::BigInteger (0x33));

    channels->flipEnablement (0);
    EXPECT_EQ (activeOutputs(), juce::BigInteger (0x30));
}

TEST_F (DeviceSelectorTest, InputLimitsAddTheInputBoxMeterAndChannels)
{
    openDevice (manager, "With Inputs");
    const auto selector = makeSelector (2);

    auto* inputBox = findLabelled<juce::ComboBox> (*selector, "Input:");
    ASSERT_NE (inputBox, nullptr);
    EXPECT_EQ (itemTexts (*inputBox)[5], "no input");

    auto* meter = findFirst<SimpleDeviceManagerInputLevelMeter> (*selector);
    ASSERT_NE (meter, nullptr);
    EXPECT_EQ (meter->getBounds(), Rect (425, 30, 50, 24));

    EXPECT_NE (findLabelled<ChannelList> (*selector, "Active input channels:"), nullptr);
}

TEST_F (DeviceSelectorTest, TheAdvancedSettingsButtonShowsAndHidesTheRateAndBufferBoxes)
{
    const auto selector = makeSelector (0, false, false, true);
    auto* button = findButton (*selector, "Show advanced settings...");
    auto* rates = findLabelled<juce::ComboBox> (*selector, "Sample rate:");
    ASSERT_TRUE (button != nullptr && rates != nullptr);
    EXPECT_FALSE (rates->isVisible());

    button->triggerClick();
    settle();
    EXPECT_EQ (button->getButtonText(), "Hide advanced settings...");
    EXPECT_TRUE (rates->isVisible());

    button->triggerClick();
    settle();
    EXPECT_EQ (button->getButtonText(), "Show advanced settings...");
    EXPECT_FALSE (rates->isVisible());
}

TEST_F (DeviceSelectorTest, ADeviceWithAControlPanelGetsItsTwoButtons)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    openDevice (manager, "With Panel");
    StartCounter counter;
    manager.addAudioCallback (&counter);

    {
        const auto selector = makeSelector();
        auto* controlPanel = findButton (*selector, "Control Panel");
        auto* reset = findButton (*selector, "Reset Device");
        ASSERT_TRUE (controlPanel != nullptr && reset != nullptr);
        EXPECT_EQ (controlPanel->getTooltip(), "Opens the device's own control panel");

        // Both restart the device: the reset always, the control panel when the device changed.
        const auto startsBefore = counter.starts;
        reset->triggerClick();
        settle();
        EXPECT_EQ (counter.starts, startsBefore + 1);

        controlPanel = findButton (*selector, "Control Panel");
        controlPanel->triggerClick();
        settle();
        EXPECT_EQ (counter.starts, startsBefore + 2);
        EXPECT_EQ (manager.getCurrentAudioDevice()->getName(), "With Panel");
    }

    manager.removeAudioCallback (&counter);
}

TEST_F (DeviceSelectorTest, MidiControlsActOnTheManager)
{
    const auto selector = makeSelector (0, true);
    using MidiList = ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox;

    auto* inputs = findLabelled<MidiList> (*selector, "Active MIDI inputs:");
    ASSERT_NE (inputs, nullptr);
    EXPECT_EQ (inputs->getNumRows(), juce::MidiInput::getAvailableDevices().size());
    EXPECT_GE (inputs->getHeight(), 46);
    EXPECT_EQ (inputs->getY(), findFirst<AudioDeviceSettingsPanel> (*selector)->getBottom() + 6);

    auto* bluetooth = findButton (*selector, "Bluetooth MIDI");
    ASSERT_NE (bluetooth, nullptr);
    EXPECT_EQ (bluetooth->getTooltip(), "Scan for bluetooth MIDI devices");
    bluetooth->triggerClick();
    settle();

    auto* output = findLabelled<juce::ComboBox> (*selector, "MIDI Output:");
    ASSERT_NE (output, nullptr);
    EXPECT_EQ (findLabel (*selector, "MIDI Output:")->getName(), "lm");
    EXPECT_EQ (output->getItemText (0), "<< None >>");
    EXPECT_EQ (output->getItemId (0), -1);
    EXPECT_EQ (output->getSelectedId(), 0);

    output->setSelectedId (-1, juce::sendNotificationSync);
    EXPECT_TRUE (manager.getDefaultMidiOutputIdentifier().isEmpty());

    // Without a default output a refill selects nothing, not even "None".
    manager.sendChangeMessage();
    settle();
    EXPECT_EQ (output->getSelectedId(), 0);
}

TEST_F (DeviceSelectorTest, ARefreshKeepsThePanelAndTheTypeHandlerRebuildsIt)
{
    manager.addAudioDeviceType (std::make_unique<TestAudioDeviceType> ("Other", testDevices()));
    const auto selector = makeSelector();

    auto* typeBox = findLabelled<juce::ComboBox> (*selector, "Audio device type:");
    ASSERT_NE (typeBox, nullptr);
    EXPECT_EQ (itemTexts (*typeBox), juce::StringArray ({"Test", "Other"}));
    EXPECT_EQ (typeBox->getText(), "Test");
    EXPECT_EQ (typeBox->getBounds(), Rect (175, 15, 300, 24));

    juce::Component::SafePointer<AudioDeviceSettingsPanel> panel{findFirst<AudioDeviceSettingsPanel> (*selector)};
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getY(), 57);

    manager.sendChangeMessage();
    settle();
    EXPECT_EQ (panel.getComponent(), findFirst<AudioDeviceSettingsPanel> (*selector));

    typeBox->onChange();
    EXPECT_EQ (panel, nullptr);
    EXPECT_NE (findFirst<AudioDeviceSettingsPanel> (*selector), nullptr);

    // Without an open device the switch needs no pause for the old one.
    manager.closeAudioDevice();
    typeBox->setSelectedId (2, juce::sendNotificationSync);
    EXPECT_EQ (manager.getCurrentAudioDeviceType(), "Other");
    ASSERT_NE (manager.getCurrentAudioDevice(), nullptr);
    EXPECT_EQ (manager.getCurrentAudioDevice()->getTypeName(), "Other");
}

TEST (DeviceSelectorWithoutSeparateInputs, TheSingleDeviceBoxSetsBothNames)
{
    juce::AudioDeviceManager manager;
    manager.addAudioDeviceType (std::make_unique<TestAudioDeviceType> ("Combined", testDevices(), false));
    openDevice (manager, "Two Out");

    ZarnAudioDeviceSelectorComponent selector (manager, 0, 0, 0, 256, false, false, false, false);
    auto* deviceBox = findLabelled<juce::ComboBox> (selector, "Device:");
    ASSERT_NE (deviceBox, nullptr);

    deviceBox->setSelectedId (2, juce::sendNotificationSync);
    EXPECT_EQ (manager.getAudioDeviceSetup().outputDeviceName, "Nine Out");
    EXPECT_EQ (manager.getAudioDeviceSetup().inputDeviceName, "Nine Out");
}

TEST (DeviceSelectorWithJack, ChoosesTheJackDeviceThroughTheBoxes)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    juce::AudioDeviceManager manager;
    manager.initialise (0, 2, nullptr, true);

    {
        ZarnAudioDeviceSelectorComponent selector (manager, 0, 0, 0, 256, false, false, false, false);
        selector.setBounds (0, 0, 500, selector.getItemHeight());

        auto* typeBox = findLabelled<juce::ComboBox> (selector, "Audio device type:");
        ASSERT_NE (typeBox, nullptr);
        const auto types = itemTexts (*typeBox);
        EXPECT_TRUE (types.contains ("ALSA"));
        ASSERT_TRUE (types.contains ("JACK"));

        const auto jackId = types.indexOf ("JACK") + 1;

        if (typeBox->getSelectedId() == jackId)
            typeBox->onChange();
        else
            typeBox->setSelectedId (jackId, juce::sendNotificationSync);

        ASSERT_EQ (manager.getCurrentAudioDeviceType(), "JACK");

        auto jackDevices = manager.getCurrentDeviceTypeObject()->getDeviceNames (false);
        ASSERT_FALSE (jackDevices.isEmpty());

        auto* outputBox = findLabelled<juce::ComboBox> (selector, "Output:");
        ASSERT_NE (outputBox, nullptr);
        jackDevices.add ("no output");
        EXPECT_EQ (itemTexts (*outputBox), jackDevices);

        outputBox->setSelectedId (-1, juce::sendNotificationSync);
        outputBox->setSelectedId (1, juce::sendNotificationSync);
        ASSERT_NE (manager.getCurrentAudioDevice(), nullptr);
        EXPECT_EQ (manager.getCurrentAudioDevice()->getName(), jackDevices[0]);
        settle();

        auto* channels = findFirst<ChannelList> (selector);
        ASSERT_NE (channels, nullptr);
        EXPECT_EQ (channels->getNumRows(), 2);

        const auto before = manager.getAudioDeviceSetup().outputChannels;
        channels->flipEnablement (1);
        EXPECT_NE (manager.getAudioDeviceSetup().outputChannels[1], before[1]);
        settle();

        EXPECT_EQ (findLabelled<juce::ComboBox> (selector, "Sample rate:")->getText(), "48000 Hz");
        EXPECT_EQ (findLabelled<juce::ComboBox> (selector, "Audio buffer size:")->getText(), "256 samples (5.3 ms)");
    }

    manager.closeAudioDevice();
}
