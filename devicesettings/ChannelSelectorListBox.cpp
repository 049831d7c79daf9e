#include "devicesettings/ChannelSelectorListBox.h"

#include "devicesettings/DeviceSettingsLogic.h"
#include "devicesettings/DrawTextLayout.h"

namespace
{
    const juce::Colour rowColour (0xff464646);
    constexpr float cornerSize = 5.0f;
} // namespace

AudioDeviceSettingsPanel::ChannelSelectorListBox::ChannelSelectorListBox (const AudioDeviceSetupDetails& setupToUse,
                                                                          BoxType type,
                                                                          const juce::String& noItemsText)
    : juce::ListBox ({}, nullptr)
    , setup (setupToUse)
    , boxType (type)
    , noItemsMessage (noItemsText)
{
    refresh();
    setModel (this);
    setOutlineThickness (0);
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::refresh()
{
    items.clear();

    if (auto* device = setup.manager.getCurrentAudioDevice())
    {
        items = boxType == BoxType::input ? device->getInputChannelNames()
                                          : device->getOutputChannelNames();

        if (setup.useStereoPairs)
        {
            juce::StringArray pairs;

            for (int i = 0; i < items.size(); i += 2)
            {
                if (i + 1 >= items.size())
                    pairs.add (items[i].trim());
                else
                    pairs.add (stereoPairName (items[i], items[i + 1]));
            }

            items = pairs;
        }
    }

    updateContent();
    repaint();
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::paint (juce::Graphics& g)
{
    juce::ListBox::paint (g);

    if (items.isEmpty())
    {
        g.setColour (juce::Colours::grey);
        g.setFont (0.5f * (float) getRowHeight());
        g.drawText (noItemsMessage, 0, 0, getWidth(), getHeight() / 2, juce::Justification::centred, true);
    }
}

int AudioDeviceSettingsPanel::ChannelSelectorListBox::getNumRows()
{
    return items.size();
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool)
{
    if (!juce::isPositiveAndBelow (row, items.size()))
        return;

    const auto isFirst = row == 0;
    const auto isLast = !isFirst && row == items.size() - 1;

    // The rows form one block whose outer corners are rounded.
    g.setColour (rowColour);

    if (isFirst || isLast)
    {
        juce::Path background;
        background.addRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, cornerSize, cornerSize, isFirst, isFirst, isLast, isLast);
        g.fillPath (background);
    }
    else
    {
        g.fillRect (0, 0, width, height);
    }

    const auto config = setup.manager.getAudioDeviceSetup();
    const auto& channels = boxType == BoxType::input ? config.inputChannels : config.outputChannels;
    const auto active = isChannelRowActive (channels, row, setup.useStereoPairs);

    // The square ends at the row height whatever height the row is painted at; below the first
    // row it starts one pixel down, so that stacked squares stay apart.
    const auto x = (float) getRowHeight();
    const auto s = (float) height;

    g.setColour (active ? juce::Colours::lightgreen : juce::Colours::lightblue);

    if (isFirst)
    {
        juce::Path square;
        square.addRoundedRectangle (x - s, 0.0f, s, s, cornerSize, cornerSize, true, false, false, false);
        g.fillPath (square);
    }
    else if (isLast)
    {
        juce::Path square;
        square.addRoundedRectangle (x - s, 1.0f, s, s - 1.0f, cornerSize, cornerSize, false, false, true, false);
        g.fillPath (square);
    }
    else
    {
        g.fillRect (x - s, 1.0f, s, s - 1.0f);
    }

    const auto textX = getRowHeight() + 5;
    drawTextLayout (g, *this, items[row], {textX, 0, width - textX, height}, active);
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::listBoxItemClicked (int row, const juce::MouseEvent& e)
{
    selectRow (row);

    if (e.x < getRowHeight())
        flipEnablement (row);
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    flipEnablement (row);
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::returnKeyPressed (int row)
{
    flipEnablement (row);
}

void AudioDeviceSettingsPanel::ChannelSelectorListBox::flipEnablement (int row)
{
    if (!juce::isPositiveAndBelow (row, items.size()))
        return;

    auto config = setup.manager.getAudioDeviceSetup();
    const auto forInputs = boxType == BoxType::input;
    auto& channels = forInputs ? config.inputChannels : config.outputChannels;
    const auto minActive = forInputs ? setup.minNumInputChannels : setup.minNumOutputChannels;
    const auto maxActive = forInputs ? setup.maxNumInputChannels : setup.maxNumOutputChannels;

    if (forInputs)
        config.useDefaultInputChannels = false;
    else
        config.useDefaultOutputChannels = false;

    if (setup.useStereoPairs)
    {
        auto pairs = foldChannelsIntoPairs (channels);
        flipChannel (pairs, row, minActive / 2, maxActive / 2);
        unfoldPairsIntoChannels (pairs, channels);
    }
    else
    {
        flipChannel (channels, row, minActive, maxActive);
    }

    // A device that cannot take the new channels is not reported; the rows show what the manager has.
    setup.manager.setAudioDeviceSetup (config, true);
}
