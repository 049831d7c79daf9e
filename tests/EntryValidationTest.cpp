#include "app/EntryValidation.h"
#include "engine/Ipv4Address.h"

#include <gtest/gtest.h>

#include <limits>

TEST (ReadIntegerEntry, ReadsTheLeadingNumberLikeStoi)
{
    for (const auto* text : { "7", " 7", "\t7", "+7", "7x", "007", "7 8", "7.9" })
        EXPECT_EQ (readIntegerEntry (text), 7) << '"' << text << '"';

    EXPECT_EQ (readIntegerEntry ("-1"), -1);
    EXPECT_EQ (readIntegerEntry ("0"), 0);
    EXPECT_EQ (readIntegerEntry ("-0"), 0);
    EXPECT_EQ (readIntegerEntry ("24"), 24);
}

TEST (ReadIntegerEntry, NothingWhenNoDigitBeginsTheNumber)
{
    for (const auto* text : { "", "ab", "-", "+", " ", "+-7", "- 7", "x7", ".5" })
        EXPECT_FALSE (readIntegerEntry (text).has_value()) << '"' << text << '"';
}

TEST (ReadIntegerEntry, NothingOutsideThe32BitRange)
{
    EXPECT_EQ (readIntegerEntry ("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ (readIntegerEntry ("-2147483648"), std::numeric_limits<int>::min());

    for (const auto* text : { "2147483648", "-2147483649", "99999999999", "-99999999999", "123456789012345678901234567890" })
        EXPECT_FALSE (readIntegerEntry (text).has_value()) << text;
}

TEST (IsValidIpAddress, AcceptsDottedDecimalAddresses)
{
    for (const auto* text : { "192.168.1.10", "10.0.0.255", "0.0.0.0", "127.0.0.1", "255.255.255.255", "1.22.0.9" })
        EXPECT_TRUE (isNumericIpv4Address (text)) << text;
}

TEST (IsValidIpAddress, RefusesEverythingElse)
{
    for (const auto* text : { "",
                              "192.168.01.1",
                              "00.1.1.1",
                              "256.1.1.1",
                              "1.2.3.999",
                              "1.2.3",
                              "1..2.3",
                              ".1.2.3",
                              "1.2.3.",
                              "1.2.3.4.",
                              "1.2.3.4.5",
                              " 1.2.3.4",
                              "1.2.3.4 ",
                              "1.2.3.a",
                              "1.2.+3.4",
                              "1.2.-3.4",
                              "1000.2.3.4",
                              "0001.2.3.4",
                              "localhost" })
        EXPECT_FALSE (isNumericIpv4Address (text)) << '"' << text << '"';

    // Digits of other scripts are not decimal digits here.
    EXPECT_FALSE (isNumericIpv4Address (juce::String::fromUTF8 ("1.2.3.\xd9\xa4")));
}
