#include "app/SettingsComponent.h"

#include "support/RecordingMidiOutput.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray itemTexts (const juce::ComboBox& box)
{
    juce::StringArray texts;

    for (int i = 0; i < box.getNumItems(); ++i)
        texts.add (box.getItemText (i));

    return texts;
}

juce::Array<int> itemIds (const juce::ComboBox& box)
{
    juce::Array<int> ids;

    for (int i = 0; i < box.getNumItems(); ++i)
        ids.add (box.getItemId (i));

    return ids;
}

void listOutputs (RecordingMidiOutputDevices& devices, const juce::StringArray& names)
{
    for (const auto& name : names)
        devices.devices.add ({name, "id-" + name});
}
} // namespace

TEST (SettingsComponent, BoxesStartWithTheirItemsAndSelections)
{
    RecordingMidiOutputDevices devices;
    listOutputs (devices, {"Port B", "Port A", "Port B"});
    SettingsComponent panel (devices);

    EXPECT_EQ (itemTexts (panel.fpsBox), juce::StringArray ({"24FPS", "25FPS", "30FPS"}));
    EXPECT_EQ (itemIds (panel.fpsBox), juce::Array<int> ({1, 2, 3}));
    EXPECT_EQ (panel.fpsBox.getSelectedId(), 1);

    EXPECT_EQ (itemTexts (panel.midiBox), juce::StringArray ({"Port B", "Port A", "Port B"})) << "in the listed order";
    EXPECT_EQ (itemIds (panel.midiBox), juce::Array<int> ({1, 2, 3}));
    EXPECT_EQ (panel.midiBox.getSelectedId(), 1);
    EXPECT_EQ (panel.midiBox.getText(), "Port B");

    EXPECT_EQ (panel.channelBox.getNumItems(), 0);
    EXPECT_EQ (panel.channelBox.getSelectedId(), 0);
    EXPECT_TRUE (panel.channelBox.getText().isEmpty());

    for (auto* box : {&panel.midiBox, &panel.channelBox})
    {
        EXPECT_EQ (box->getTextWhenNothingSelected(), "Select output");
        EXPECT_EQ (box->getTextWhenNoChoicesAvailable(), "No outputs available");
    }

    for (auto* child : {(juce::Component*) &panel.fpsBox, (juce::Component*) &panel.midiBox, (juce::Component*) &panel.channelBox, (juce::Component*) &panel.ipLabel})
    {
        EXPECT_EQ (child->getParentComponent(), &panel);
        EXPECT_TRUE (child->isVisible());
        EXPECT_EQ (&child->getLookAndFeel(), &panel.lookAndFeel);
    }
}

TEST (SettingsComponent, WithoutMidiOutputsNothingIsSelected)
{
    RecordingMidiOutputDevices devices;
    SettingsComponent panel (devices);

    EXPECT_EQ (panel.midiBox.getNumItems(), 0);
    EXPECT_EQ (panel.midiBox.getSelectedId(), 0);
    EXPECT_TRUE (panel.midiBox.getText().isEmpty());
}

TEST (SettingsComponent, AddressLabelStartsAtLoopbackAndEditsOnOneClick)
{
    RecordingMidiOutputDevices devices;
    SettingsComponent panel (devices);
    auto& label = panel.ipLabel;

    EXPECT_EQ (label.getText(), "127.0.0.1");
    EXPECT_EQ (panel.lastValidIp, "127.0.0.1");
    EXPECT_TRUE (label.isEditableOnSingleClick());
    EXPECT_FALSE (label.isEditableOnDoubleClick());
    EXPECT_FALSE (label.doesLossOfFocusDiscardChanges());
    EXPECT_EQ (label.getJustificationType(), juce::Justification::centred);
    EXPECT_FLOAT_EQ (label.getFont().getHeight(), 14.0f);
    EXPECT_EQ (label.findColour (juce::Label::textColourId), juce::Colour (0xff282828));

    int textChanges = 0;
    label.onTextChange = [&textChanges]
    { ++textChanges; };
    TestEnvironment::runMessageLoop (50);
    EXPECT_EQ (textChanges, 0) << "the initial text is set without validation";

    panel.setSize (200, 70);
    label.showEditor();
    auto* editor = label.getCurrentTextEditor();
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getJustificationType(), juce::Justification::centred);
    EXPECT_EQ (editor->findColour (juce::TextEditor::textColourId), juce::Colours::black);
    EXPECT_EQ (editor->findColour (juce::TextEditor::highlightedTextColourId), juce::Colours::black);
    label.hideEditor (true);
    EXPECT_EQ (label.getText(), "127.0.0.1");
}

TEST (SettingsComponent, LaysOutTwoRowsWithOverlappingSecondRow)
{
    RecordingMidiOutputDevices devices;
    SettingsComponent panel (devices);
    panel.setSize (200, 70);

    EXPECT_EQ (panel.fpsBox.getBounds(), juce::Rectangle<int> (0, 0, 200, 35));

    for (auto* secondRow : {(juce::Component*) &panel.midiBox, (juce::Component*) &panel.ipLabel, (juce::Component*) &panel.channelBox})
        EXPECT_EQ (secondRow->getBounds(), juce::Rectangle<int> (0, 35, 200, 35));
}

TEST (SettingsComponent, ConstructionNotifiesEachBoxOnceFromTheMessageLoop)
{
    for (const auto& names : {juce::StringArray(), juce::StringArray ({"Port A", "Port B"})})
    {
        RecordingMidiOutputDevices devices;
        listOutputs (devices, names);
        SettingsComponent panel (devices);

        juce::StringArray calls;
        panel.fpsBox.onChange = [&calls]
        { calls.add ("fps"); };
        panel.midiBox.onChange = [&calls]
        { calls.add ("midi"); };
        panel.channelBox.onChange = [&calls]
        { calls.add ("channel"); };

        EXPECT_TRUE (calls.isEmpty()) << "nothing is delivered before the message loop runs";

        TestEnvironment::runMessageLoop (100);
        EXPECT_EQ (calls, juce::StringArray ({"fps", "midi", "channel"})) << names.size() << " MIDI outputs";
    }
}

TEST (SettingsComponent, PaintsALightBluePanelRoundedAtTheBottomOnly)
{
    RecordingMidiOutputDevices devices;
    SettingsComponent panel (devices);
    panel.setSize (200, 70);

    juce::Image image (juce::Image::ARGB, 200, 70, true, juce::SoftwareImageType());
    {
        juce::Graphics g (image);
        panel.paint (g);
    }

    EXPECT_EQ (image.getPixelAt (100, 30), juce::Colours::lightblue);
    EXPECT_EQ (image.getPixelAt (100, 68), juce::Colours::lightblue);
    EXPECT_GT (image.getPixelAt (0, 0).getAlpha(), 0xf0) << "square top corners";
    EXPECT_GT (image.getPixelAt (199, 0).getAlpha(), 0xf0);
    EXPECT_EQ (image.getPixelAt (0, 68).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (199, 68).getAlpha(), 0);

    for (int x = 0; x < 200; ++x)
        ASSERT_EQ (image.getPixelAt (x, 69).getAlpha(), 0) << "the shape is one pixel shorter than the panel";

    // On the last painted row (centre 68.5) a radius of 10 ends its curve about 6.9 pixels in.
    int firstSolid = 0;
    while (firstSolid < 100 && image.getPixelAt (firstSolid, 68).getAlpha() < 0x80)
        ++firstSolid;

    EXPECT_GE (firstSolid, 6);
    EXPECT_LE (firstSolid, 8);

    int lastSolid = 199;
    while (lastSolid > 100 && image.getPixelAt (lastSolid, 68).getAlpha() < 0x80)
        --lastSolid;

    EXPECT_EQ (lastSolid, 199 - firstSolid) << "both bottom corners have the same radius";
}
