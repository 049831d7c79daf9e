#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <optional>

/** The six stored settings; the defaults are the values the program has when no file is read. */
struct StoredSettings
{
    int outputMode = 0;
    int frameRate = 24;
    juce::String outgoingIp{ "127.0.0.1" };
    int prefOutputChannel = 0;
    juce::String prefMidi;
    int start = 0;

    bool operator== (const StoredSettings& other) const;
    bool operator!= (const StoredSettings& other) const;
};

/** Reads an integer the way C's atoi does (leading white space, optional sign, digits, stops at the
    first other character, no digits gives 0), but saturates beyond the 32-bit range instead of
    being undefined.
*/
int parseStoredInteger (const juce::String& text);

/** Reads a settings document (the text of "Autosave.zarntm"). Nothing when the text is not
    well-formed XML or its root tag is not "Config" ignoring case; otherwise the six attributes by
    exact name, a missing one giving 0 or the empty text (so frameRate 0 and outgoingIp "" then).

    Documents that the framework's parser cannot take safely (declared entities, an entity
    reference followed by '<', more tags than any settings file has, a processing instruction
    inside an element, a character reference cut off by the end) are refused unparsed.
*/
std::optional<StoredSettings> parseSettings (const juce::String& documentText);

/** parseSettings of the file's content; nothing when the file is missing or unreadable. */
std::optional<StoredSettings> readSettingsFile (const juce::File& file);

/** The Config element with the six attributes in order: outputmode, outgoingfps, outgoingip,
    prefoutputchannel, prefmidi, start.
*/
std::unique_ptr<juce::XmlElement> createSettingsXml (const StoredSettings& settings);

/** Writes the element with the framework's default XML text format (juce::XmlElement::writeTo,
    which writes a temporary file and moves it into place). Returns whether it was written.
*/
bool writeXmlFile (const juce::XmlElement& element, const juce::File& file);

/** Creates documents/ZARN and documents/ZARN/Rozavado Deduzadiv with POSIX mkdir and mode 0700,
    ignoring failures and existing folders; returns the settings folder.
*/
juce::File createSettingsFolders (const juce::File& documentsFolder);

/** The parsed audio configuration file, or nothing when missing, unreadable or malformed (with
    the same refusals as parseSettings).
*/
std::unique_ptr<juce::XmlElement> readAudioConfiguration (const juce::File& file);
