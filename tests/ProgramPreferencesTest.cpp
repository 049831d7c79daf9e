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
            if (!TestEnvironment::servicesAvailable())
                GTEST_SKIP() << "needs the display and JACK server of the test services";

            program.writeSettingsFile (R"(<Config outputmode="3" outgoingfps="25" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi="" start="0"/>)");
            ASSERT_TRUE (program.start());
        }

        /** Waits until the Preferences window is shown, 600 x 400, centred on the main content;
            returns its window id, empty when that did not come to pass.

            A window manager may put the frame rather than the client area where the program asked,
            which moves the client by the decorations; that much, and a few pixels, is allowed.
        */
        juce::String waitForCentredPreferences()
        {
            juce::String id;
            juce::Rectangle<int> shown;
            const auto contentCentre = program.contentBounds().getCentre();

            const auto isCentred = [&]
            {
                id = program.findWindow ("Preferences");
                shown = id.isNotEmpty() ? ProgramUnderTest::windowGeometry (id) : juce::Rectangle<int>();
                const auto offset = shown.getCentre() - contentCentre;
                const auto allowed = ProgramUnderTest::decorationOffset (id) + juce::Point<int> (4, 4);
                return shown.getWidth() == 600 && shown.getHeight() == 400 && std::abs (offset.x) <= allowed.x && std::abs (offset.y) <= allowed.y;
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

        ProgramUnderTest program;
    };
} // namespace

TEST_F (ProgramPreferencesTest, HiddenAtStart)
{
    // Long enough for a window mapped during start-up to show.
    juce::Thread::sleep (1000);
    EXPECT_TRUE (program.findWindow ("Preferences").isEmpty());
}

TEST_F (ProgramPreferencesTest, ShortcutShowsAndHidesAndCloseButtonOnlyHides)
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

    program.pressKeyInMainWindow ("ctrl+p");
    EXPECT_TRUE (waitForPreferencesHidden());

    EXPECT_EQ (program.closeAndWait(), 0);
}

TEST_F (ProgramPreferencesTest, OptionsMenuItemShowsTheWindow)
{
    // The menu opens as a popup window of its own below the menu bar. The bar takes clicks only
    // once its window is active, which a slow start may not have reached yet: click again then.
    juce::String popup;
    for (int attempt = 0; attempt < 5 && popup.isEmpty(); ++attempt)
    {
        program.clickWindow (25, program.menuBarHeight() / 2);
        popup = program.waitForWindow ("menu", 2000);
    }
    ASSERT_TRUE (popup.isNotEmpty()) << "the Options menu did not open";

    const auto menu = ProgramUnderTest::windowGeometry (popup);
    EXPECT_GE (menu.getY(), program.contentBounds().getY() - 2) << "the menu opens below the menu bar";

    // Its one item, "Preferences", fills the popup.
    ProgramUnderTest::clickScreen (menu.getCentre());
    EXPECT_TRUE (waitForCentredPreferences().isNotEmpty());

    EXPECT_EQ (program.closeAndWait(), 0);
}
