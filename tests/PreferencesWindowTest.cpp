#include "devicesettings/AudioSetup.h"
#include "devicesettings/PreferencesWindow.h"
#include "support/ComponentSearch.h"
#include "support/TestAudioDeviceType.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace ComponentSearch;
using Rect = juce::Rectangle<int>;

namespace
{
    class PreferencesWindowTest : public ::testing::Test
    {
    protected:
        PreferencesWindowTest()
        {
            TestDeviceDescription nineOut{"Nine Out"};
            nineOut.outputChannelNames.clear();

            for (int i = 1; i <= 9; ++i)
                nineOut.outputChannelNames.add ("Output " + juce::String (i));

            manager.addAudioDeviceType (std::make_unique<TestAudioDeviceType> ("Test", std::vector<TestDeviceDescription>{nineOut}));
            manager.setCurrentAudioDeviceType ("Test", true);
        }

        juce::AudioDeviceManager manager;
    };
} // namespace

TEST_F (PreferencesWindowTest, TheHiddenWindowHoldsTheAudioTabAndItsPage)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    PreferencesWindow window (manager);
    EXPECT_EQ (window.getName(), "Preferences");
    EXPECT_TRUE (window.isOnDesktop());
    EXPECT_FALSE (window.isVisible());
    EXPECT_EQ (window.getBounds().getWidth(), 600);
    EXPECT_EQ (window.getBounds().getHeight(), 400);

    auto* content = window.getContentComponent();
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (content->getBounds(), Rect (0, 0, 600, 400));

    auto* tab = findButton (window, "Audio");
    auto* page = findFirst<AudioSetup> (window);
    ASSERT_TRUE (tab != nullptr && page != nullptr);
    EXPECT_EQ (tab->getBounds(), Rect (0, 0, 100, 29));
    EXPECT_EQ (page->getBounds(), Rect (100, 0, 500, 400));
    EXPECT_EQ (tab->findColour (juce::TextButton::buttonOnColourId), juce::Colours::lightgreen);
    EXPECT_EQ (tab->findColour (juce::TextButton::textColourOnId), juce::Colour (0xff282828));

    // The only tab stays on whatever the clicks.
    for (int click = 0; click < 2; ++click)
    {
        tab->triggerClick();
        TestEnvironment::runMessageLoop (50);
        EXPECT_TRUE (tab->getToggleState());
        EXPECT_TRUE (page->isVisible());
    }

    // Closing only hides: the next showing finds the same content.
    window.setVisible (true);
    window.closeButtonPressed();
    EXPECT_FALSE (window.isVisible());
    EXPECT_EQ (window.getContentComponent(), content);
}

TEST_F (PreferencesWindowTest, ThePageRestylesTheDefaultLookAndFeelAndScrollsVertically)
{
    AudioSetup page (manager);
    page.setBounds (0, 0, 500, 150);

    const auto& defaults = juce::LookAndFeel::getDefaultLookAndFeel();
    EXPECT_EQ (defaults.findColour (juce::ComboBox::backgroundColourId), juce::Colour (0xff393939));
    EXPECT_EQ (defaults.findColour (juce::ResizableWindow::backgroundColourId), juce::Colour (0xff212121));
    EXPECT_EQ (defaults.findColour (juce::Slider::thumbColourId), juce::Colours::lightgreen);
    EXPECT_EQ (defaults.findColour (juce::ListBox::backgroundColourId), juce::Colour (0xff282828));
    EXPECT_EQ (defaults.findColour (juce::TextButton::buttonOnColourId), juce::Colour (0xff393939));

    auto* viewport = findFirst<juce::Viewport> (page);
    auto* selector = findFirst<ZarnAudioDeviceSelectorComponent> (page);
    ASSERT_TRUE (viewport != nullptr && selector != nullptr);
    EXPECT_EQ (viewport->getBounds(), Rect (0, 0, 500, 150));

    // The selector is taller than the page and keeps the page's full width under the scroll bar.
    EXPECT_GT (selector->getHeight(), 150);
    EXPECT_EQ (selector->getWidth(), 500);
    EXPECT_TRUE (viewport->getVerticalScrollBar().isVisible());
    EXPECT_FALSE (viewport->getHorizontalScrollBar().isVisible());
    EXPECT_EQ (viewport->getScrollBarThickness(), 12);
    EXPECT_EQ (viewport->getVerticalScrollBar().findColour (juce::ScrollBar::thumbColourId), juce::Colours::silver);
}

TEST_F (PreferencesWindowTest, DestroyedPagesLeaveNoListenerOnTheManager)
{
    {
        AudioSetup page (manager);
        page.setBounds (0, 0, 500, 400);
        TestEnvironment::runMessageLoop (50);
    }

    // Would reach the destroyed page, selector or panel if any were still registered.
    manager.sendChangeMessage();
    TestEnvironment::runMessageLoop (50);
    manager.closeAudioDevice();
    TestEnvironment::runMessageLoop (50);
    SUCCEED();
}
