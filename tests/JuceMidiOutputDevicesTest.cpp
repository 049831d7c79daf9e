#include "engine/JuceMidiOutputDevices.h"

#include <gtest/gtest.h>

TEST (JuceMidiOutputDevices, ListsAndRefusesUnknownDevicesSafely)
{
    // This machine has no MIDI sequencer, so the list may well be empty; it must still come back.
    JuceMidiOutputDevices devices;
    const auto available = devices.getAvailableDevices();

    for (const auto& device : available)
        EXPECT_TRUE (device.identifier.isNotEmpty());

    EXPECT_EQ (devices.openDevice ({}), nullptr);
    EXPECT_EQ (devices.openDevice ("no such device"), nullptr);
}
