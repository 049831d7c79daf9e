#include "engine/CombinedMidiOutputDevices.h"
#include "support/RecordingMidiOutput.h"

#include <gtest/gtest.h>

TEST (CombinedMidiOutputDevices, ListsBothSetsInOrderAndOpensThroughTheOneThatListsTheDevice)
{
    RecordingMidiOutputDevices first, second;
    first.devices.add ({ "Port A", "a" });
    first.devices.add ({ "Shared", "shared" });
    second.devices.add ({ "Port B", "b" });
    second.devices.add ({ "Shared", "shared" });
    CombinedMidiOutputDevices combined (first, second);

    juce::StringArray names;
    for (const auto& device : combined.getAvailableDevices())
        names.add (device.name);
    EXPECT_EQ (names, juce::StringArray ({ "Port A", "Shared", "Port B", "Shared" }));

    EXPECT_NE (combined.openDevice ("b"), nullptr);
    EXPECT_NE (combined.openDevice ("shared"), nullptr);
    EXPECT_NE (combined.openDevice ("a"), nullptr);
    EXPECT_EQ (first.events, juce::StringArray ({ "open shared", "destroy shared", "open a", "destroy a" }));
    EXPECT_EQ (second.events, juce::StringArray ({ "open b", "destroy b" }));

    // Listed by neither: no set is asked to open it.
    EXPECT_EQ (combined.openDevice ("c"), nullptr);
    EXPECT_EQ (first.connections.size() + second.connections.size(), 3u);
}
