#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace
{
    class ProgramClockEntryTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());

            program.writeSettingsFile (R"(<Config outputmode="3" outgoingfps="25" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi="" start="0"/>)");
            ASSERT_TRUE (program.start());
        }

        /** Opens the field's editor with a click, replaces its text and commits it. */
        void enter (int fieldX, const juce::String& text)
        {
            program.clickContent (fieldX, 161);
            program.pressKey ("ctrl+a");
            program.typeText (text);
            program.pressKey ("Return");
        }

        juce::String storedStart() const
        {
            const auto settings = program.readSettingsFile();
            return settings != nullptr ? settings->getStringAttribute ("start") : juce::String();
        }

        /** Waits for the periodic save to store this start; returns the start stored last. */
        juce::String waitForStoredStart (int expected) const
        {
            const auto stored = [&]
            { return storedStart() == juce::String (expected); };
            ProgramUnderTest::waitUntil (stored, 10000);
            return storedStart();
        }

        ProgramUnderTest program;
    };

    constexpr int hoursX = 63, minutesX = 138, secondsX = 213;
} // namespace

TEST_F (ProgramClockEntryTest, TypedFieldsMoveTheStartAndRefusedOnesDoNot)
{
    constexpr int twelveMinutes = 12 * 60 * 30;

    enter (minutesX, "12");
    EXPECT_EQ (waitForStoredStart (twelveMinutes), juce::String (twelveMinutes));

    // The file is saved every second: after a refused entry it still holds the same start.
    enter (hoursX, "24");
    juce::Thread::sleep (1500);
    EXPECT_EQ (storedStart(), juce::String (twelveMinutes));

    // The refused hours kept their 0, and the other fields still take entries.
    enter (secondsX, "5");
    EXPECT_EQ (waitForStoredStart (twelveMinutes + 5 * 30), juce::String (twelveMinutes + 5 * 30));

    EXPECT_EQ (program.closeAndWait(), 0);
}
