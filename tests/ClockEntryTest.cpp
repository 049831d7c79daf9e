#include "support/MainComponentHarness.h"

#include <gtest/gtest.h>

class ClockEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        harness.writeSettingsFile ("<Config outputmode=\"3\" outgoingfps=\"30\" start=\"0\"/>");
        harness.create();
        harness.settle();
    }

    MainComponentTestAccess access() { return MainComponentTestAccess (*harness.component); }

    /** Types into a field as the user commits an edit. */
    void type (juce::Label& field, const juce::String& text)
    {
        field.setText (text, juce::sendNotificationSync);
    }

    MainComponentHarness harness;
};

TEST_F (ClockEntryTest, ValidEntriesMoveTheStartAndReadAsTwoDigits)
{
    auto c = access();
    const std::pair<juce::String, int> entries[] = { { " 7", 7 }, { "+7", 7 }, { "7x", 7 }, { "007", 7 }, { "0", 0 }, { "23", 23 } };

    for (const auto& [text, value] : entries)
    {
        SCOPED_TRACE (text);
        type (c.hoursLabel(), "99");
        type (c.hoursLabel(), text);
        EXPECT_EQ (c.hoursLabel().getText(), juce::String::formatted ("%02d", value));
        EXPECT_EQ (c.startPosition(), value * 108000);
        EXPECT_EQ (c.clockPosition(), value * 108000);
        EXPECT_EQ (c.artTimecodeSender().frameCounter, value * 108000);
    }
}

TEST_F (ClockEntryTest, RefusedEntriesShowThePreviousValue)
{
    auto c = access();
    type (c.hoursLabel(), "5");
    type (c.minutesLabel(), "6");
    type (c.hundredthsLabel(), "40");

    const juce::String refused[] = { "24", "-1", "99999999999", "", "ab", "-" };
    for (const auto& text : refused)
    {
        SCOPED_TRACE (text);
        type (c.hoursLabel(), text);
        EXPECT_EQ (c.hoursLabel().getText(), "05");
    }

    type (c.minutesLabel(), "60");
    EXPECT_EQ (c.minutesLabel().getText(), "06");
    type (c.hundredthsLabel(), "100");
    EXPECT_EQ (c.hundredthsLabel().getText(), "40");

    EXPECT_EQ (c.startPosition(), (5 * 3600 + 6 * 60) * 30 + 12);
}

TEST_F (ClockEntryTest, HundredthsAreKeptAsTypedUntilTheDisplayRuns)
{
    auto c = access();
    type (c.hundredthsLabel(), "51");
    EXPECT_EQ (c.startPosition(), 15);
    EXPECT_EQ (c.hundredthsLabel().getText(), "51");

    type (c.hundredthsLabel(), "99");
    EXPECT_EQ (c.startPosition(), 29);

    harness.millisecondCounter = 100;
    c.click (c.playPauseButton());
    c.component.timerCallback();
    EXPECT_EQ (c.hundredthsLabel().getText(), "96");
}

TEST_F (ClockEntryTest, TheLastPositionOfTheDay)
{
    auto c = access();
    type (c.hoursLabel(), "23");
    type (c.minutesLabel(), "59");
    type (c.secondsLabel(), "59");
    type (c.hundredthsLabel(), "99");
    EXPECT_EQ (c.startPosition(), 2591999);
}

TEST_F (ClockEntryTest, TheDisplayRewritesOnlyChangedPositionsAndZero)
{
    auto c = access();
    harness.millisecondCounter = 100;
    c.click (c.playPauseButton());

    c.component.timerCallback();
    EXPECT_EQ (c.clockText(), "00 00 00 00");
    c.hoursLabel().setText ("xx", juce::dontSendNotification);
    c.component.timerCallback();
    EXPECT_EQ (c.hoursLabel().getText(), "00");

    c.clockPosition() = 45;
    c.component.timerCallback();
    EXPECT_EQ (c.clockText(), "00 00 01 50");
    c.hoursLabel().setText ("xx", juce::dontSendNotification);
    c.component.timerCallback();
    EXPECT_EQ (c.hoursLabel().getText(), "xx");

    c.clockPosition() = -5;
    c.component.timerCallback();
    EXPECT_EQ (c.clockText(), "00 00 00 00");

    c.click (c.playPauseButton());
    c.clockPosition() = 900;
    c.component.timerCallback();
    EXPECT_EQ (c.clockText(), "00 00 00 00");
}

TEST_F (ClockEntryTest, TheAddressLabelAcceptsOnlyValidAddresses)
{
    auto c = access();
    auto& ipLabel = c.settingsComponent().ipLabel;

    for (const auto* address : { "192.168.1.10", "10.0.0.255", "0.0.0.0" })
    {
        type (ipLabel, address);
        EXPECT_EQ (c.settingsComponent().lastValidIp, address);
        EXPECT_EQ (c.artTimecodeSender().host, address);
    }

    for (const auto* address : { "192.168.01.1", "256.1.1.1", "1.2.3", "1..2.3", ".1.2.3", "1.2.3.4.", "1.2.3.4.5", " 1.2.3.4", "1.2.3.a", "" })
    {
        SCOPED_TRACE (address);
        type (ipLabel, address);
        EXPECT_EQ (ipLabel.getText(), "0.0.0.0");
        EXPECT_EQ (c.artTimecodeSender().host, "0.0.0.0");
    }
}
