#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    class ProgramPreferencesTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());

            program.writeSettingsFile (R"(<Config outputmode="3" outgoingfps="25" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi="" start="0"/>)");
            ASSERT_TRUE (program.start());
        }

        /** Waits until the Preferences window is shown, 600 x 400, its centre within 2 pixels of
            the main content's centre; returns its window id, empty when that did not come to pass.
        */
        juce::String waitForCentredPreferences()
        {
            juce::String id;
            juce::Rectangle<int> shown;
            juce::Point<int> contentCentre;

            const auto isCentred = [&]
            {
                id = program.findWindow ("Preferences");
                shown = id.isNotEmpty() ? ProgramUnderTest::windowGeometry (id) : juce::Rectangle<int>();
                contentCentre = program.contentBounds().getCentre();
                const auto offset = shown.getCentre() - contentCentre;
                return shown.getWidth() == 600 && shown.getHeight() == 400 && std::abs (offset.x) <= 2 && std::abs (offset.y) <= 2;
            };

            const auto centred = ProgramUnderTest::waitUntil (isCentred, 10000);

            EXPECT_TRUE (centred) << "Preferences at " << shown.toString() << ", content centre " << contentCentre.toString();
            return centred ? id : juce::String();
        }

        bool waitForPreferencesHidden()
        {
            const auto hidden = [&]
            { return program.findWindow ("Preferences").isEmpty(); };
            return ProgramUnderTest::waitUntil (hidden, 10000);
        }

        /** Activates the window through the window manager, then presses Ctrl+P there. */
        void pressShortcutIn (const juce::String& windowId)
        {
            ProgramUnderTest::activateWindow (windowId);
            program.pressKey ("ctrl+p");
        }

        ProgramUnderTest program;
    };
} // namespace

TEST_F (ProgramPreferencesTest, HiddenAtStart)
{
    // Long enough for a window mapped during start-up to show.
    juce::Thread::sleep (1000);
    EXPECT_TRUE (program.findWindow ("Preferences").isEmpty());
}

TEST_F (ProgramPreferencesTest, CloseButtonOnlyHides)
{
    program.pressKeyInMainWindow ("ctrl+p");
    const auto preferences = waitForCentredPreferences();
    ASSERT_TRUE (preferences.isNotEmpty());

    ProgramUnderTest::closeWindow (preferences);
    ASSERT_TRUE (waitForPreferencesHidden());
    juce::Thread::sleep (500);
    EXPECT_TRUE (program.isRunning());
    EXPECT_TRUE (program.findWindow ("Rozavado Deduzadiv").isNotEmpty());

    program.pressKeyInMainWindow ("ctrl+p");
    EXPECT_EQ (waitForCentredPreferences(), preferences) << "the same window is shown again";

    EXPECT_EQ (program.closeAndWait(), 0);
}

TEST_F (ProgramPreferencesTest, ShortcutTogglesTheWindowWhereverTheFocusIs)
{
    const auto main = program.mainWindowId();

    pressShortcutIn (main);
    const auto preferences = waitForCentredPreferences();
    ASSERT_TRUE (preferences.isNotEmpty());

    pressShortcutIn (preferences);
    ASSERT_TRUE (waitForPreferencesHidden()) << "from the Preferences window";

    // A click opens the editor of a clock field, which takes the keyboard focus.
    program.clickContent (138, 161);
    program.pressKey ("ctrl+p");
    ASSERT_TRUE (waitForCentredPreferences().isNotEmpty()) << "from a clock field";

    // While the field is edited it holds the input to itself, and the window manager cannot
    // activate another window of the program; Escape ends the edit.
    program.pressKeyInMainWindow ("Escape");

    ProgramUnderTest::activateWindow (preferences);
    ProgramUnderTest::clickScreen (ProgramUnderTest::windowGeometry (preferences).getTopLeft() + juce::Point<int> (50, 15));
    program.pressKey ("ctrl+p");
    ASSERT_TRUE (waitForPreferencesHidden()) << "from the Audio tab";

    pressShortcutIn (main);
    ASSERT_TRUE (waitForCentredPreferences().isNotEmpty());

    pressShortcutIn (main);
    ASSERT_TRUE (waitForPreferencesHidden()) << "from the main window, while the Preferences window is shown";

    // Shown again after the main window moved, it is centred on the new place.
    const auto before = program.contentBounds();
    ProgramUnderTest::run ({ "xdotool", "windowmove", main, "40", "60" });
    const auto moved = [&]
    { return program.contentBounds() != before; };
    ASSERT_TRUE (ProgramUnderTest::waitUntil (moved, 10000));

    pressShortcutIn (main);
    EXPECT_TRUE (waitForCentredPreferences().isNotEmpty());

    EXPECT_EQ (program.closeAndWait(), 0);
}

TEST_F (ProgramPreferencesTest, OptionsMenuItemTogglesTheWindow)
{
    // The menu opens as a popup window of its own below the menu bar. The bar takes clicks only
    // once its window is active, which a slow start may not have reached yet: click again then.
    const auto chooseMenuItem = [&]
    {
        juce::String popup;
        for (int attempt = 0; attempt < 5 && popup.isEmpty(); ++attempt)
        {
            program.clickWindow (25, program.menuBarHeight() / 2);
            popup = program.waitForWindow ("menu", 2000);
        }
        if (popup.isEmpty())
            return false;

        const auto menu = ProgramUnderTest::windowGeometry (popup);
        EXPECT_GE (menu.getY(), program.contentBounds().getY() - 2) << "the menu opens below the menu bar";

        // Its one item, "Preferences", fills the popup.
        ProgramUnderTest::clickScreen (menu.getCentre());
        return true;
    };

    ASSERT_TRUE (chooseMenuItem()) << "the Options menu did not open";
    EXPECT_TRUE (waitForCentredPreferences().isNotEmpty());

    ASSERT_TRUE (chooseMenuItem()) << "the Options menu did not open";
    EXPECT_TRUE (waitForPreferencesHidden());

    EXPECT_EQ (program.closeAndWait(), 0);
}
