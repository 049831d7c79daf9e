#include "app/SettingsFile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <limits>

namespace
{
    constexpr auto intMax = std::numeric_limits<int>::max();
    constexpr auto intMin = std::numeric_limits<int>::min();

    class SettingsFileTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            folder = TestEnvironment::homeFolder().getChildFile ("settings-file-test").getNonexistentChildFile ("case", {});
            ASSERT_TRUE (folder.createDirectory().wasOk());
        }

        void TearDown() override
        {
            folder.deleteRecursively();
        }

        juce::File fileWith (const juce::String& name, const juce::String& content)
        {
            const auto file = folder.getChildFile (name);
            EXPECT_TRUE (file.replaceWithText (content));
            return file;
        }

        juce::File folder;
    };

    int modeOf (const juce::File& file)
    {
        struct stat info = {};
        if (::stat (file.getFullPathName().toRawUTF8(), &info) != 0)
            return -1;

        return static_cast<int> (info.st_mode & 07777);
    }

    juce::String configWith (const juce::String& attributes)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Config " + attributes + "/>\r\n";
    }
} // namespace

TEST (ParseStoredInteger, ReadsTheLeadingNumberLikeAtoi)
{
    EXPECT_EQ (parseStoredInteger ("25"), 25);
    EXPECT_EQ (parseStoredInteger ("25abc"), 25);
    EXPECT_EQ (parseStoredInteger ("  \t\n42"), 42);
    EXPECT_EQ (parseStoredInteger ("+7"), 7);
    EXPECT_EQ (parseStoredInteger ("-45"), -45);
    EXPECT_EQ (parseStoredInteger ("007"), 7);
    EXPECT_EQ (parseStoredInteger ("3.9"), 3);
}

TEST (ParseStoredInteger, NoLeadingDigitsGiveZero)
{
    EXPECT_EQ (parseStoredInteger (""), 0);
    EXPECT_EQ (parseStoredInteger ("abc12"), 0);
    EXPECT_EQ (parseStoredInteger ("-"), 0);
    EXPECT_EQ (parseStoredInteger ("+-3"), 0);
    EXPECT_EQ (parseStoredInteger ("- 3"), 0);
    EXPECT_EQ (parseStoredInteger ("0x1F"), 0);
    // Only the C library's white space is skipped, not other Unicode spaces.
    EXPECT_EQ (parseStoredInteger (juce::String::charToString (0xa0) + "5"), 0);
}

TEST (ParseStoredInteger, SaturatesBeyondThe32BitRange)
{
    EXPECT_EQ (parseStoredInteger ("2147483647"), intMax);
    EXPECT_EQ (parseStoredInteger ("-2147483648"), intMin);
    EXPECT_EQ (parseStoredInteger ("2147483648"), intMax);
    EXPECT_EQ (parseStoredInteger ("-2147483649"), intMin);
    EXPECT_EQ (parseStoredInteger ("99999999999999999999999999999999"), intMax);
    EXPECT_EQ (parseStoredInteger ("-99999999999999999999999999999999x"), intMin);
    EXPECT_EQ (parseStoredInteger ("000000000000000000000000000000012"), 12);
}

TEST (ParseSettings, ReadsEveryAttributeByItsName)
{
    const auto settings = parseSettings (configWith ("outputmode=\"2\" outgoingfps=\"25\" outgoingip=\"10.0.0.7\" "
                                                     "prefoutputchannel=\"3\" prefmidi=\"Port &amp; Co\" start=\"45\""));
    ASSERT_TRUE (settings.has_value());
    EXPECT_EQ (settings->outputMode, 2);
    EXPECT_EQ (settings->frameRate, 25);
    EXPECT_EQ (settings->outgoingIp, "10.0.0.7");
    EXPECT_EQ (settings->prefOutputChannel, 3);
    EXPECT_EQ (settings->prefMidi, "Port & Co");
    EXPECT_EQ (settings->start, 45);
}

TEST (ParseSettings, MissingAttributesGiveZeroAndEmptyText)
{
    for (const auto* text : { "<Config/>", "<Config></Config>", "<Config OutputMode=\"1\" START=\"9\"/>" })
    {
        const auto settings = parseSettings (text);
        ASSERT_TRUE (settings.has_value()) << text;
        EXPECT_EQ (settings->outputMode, 0);
        EXPECT_EQ (settings->frameRate, 0);
        EXPECT_EQ (settings->outgoingIp, "");
        EXPECT_EQ (settings->prefOutputChannel, 0);
        EXPECT_EQ (settings->prefMidi, "");
        EXPECT_EQ (settings->start, 0);
    }
}

TEST (ParseSettings, ValuesAreTakenAsTheyStandWithoutRangeChecks)
{
    const auto settings = parseSettings (configWith ("outputmode=\"7\" outgoingfps=\" 25abc\" outgoingip=\"not an address\" "
                                                     "prefoutputchannel=\"-1\" start=\"-99999999999\""));
    ASSERT_TRUE (settings.has_value());
    EXPECT_EQ (settings->outputMode, 7);
    EXPECT_EQ (settings->frameRate, 25);
    EXPECT_EQ (settings->outgoingIp, "not an address");
    EXPECT_EQ (settings->prefOutputChannel, -1);
    EXPECT_EQ (settings->start, intMin);
}

TEST (ParseSettings, RootTagIsComparedIgnoringCase)
{
    const auto lower = parseSettings ("<config outputmode=\"1\"/>");
    ASSERT_TRUE (lower.has_value());
    EXPECT_EQ (lower->outputMode, 1);

    EXPECT_TRUE (parseSettings ("<CONFIG/>").has_value());
    EXPECT_FALSE (parseSettings ("<Settings outputmode=\"1\"/>").has_value());
    EXPECT_FALSE (parseSettings ("<Configuration outputmode=\"1\"/>").has_value());
    EXPECT_FALSE (parseSettings ("<DEVICESETUP/>").has_value());
}

TEST (ParseSettings, AnythingButWellFormedXmlGivesNothing)
{
    const char junk[] = { '\x7f', 'E', 'L', 'F', '\x02', '\x01', '\x01', '\xff', '\xfe', '<', '\x80', '>' };

    EXPECT_FALSE (parseSettings ({}).has_value());
    EXPECT_FALSE (parseSettings ("   \r\n").has_value());
    EXPECT_FALSE (parseSettings (juce::String::createStringFromData (junk, (int) sizeof (junk))).has_value());
    EXPECT_FALSE (parseSettings ("outputmode=1").has_value());
    EXPECT_FALSE (parseSettings ("<?xml version=\"1.0\"?>").has_value());
    EXPECT_FALSE (parseSettings ("<Config outputmode=\"1/>").has_value());
    EXPECT_FALSE (parseSettings ("<Config outputmode/>").has_value());
    EXPECT_FALSE (parseSettings ("<Config outputmode=\"1\" outg").has_value());
    EXPECT_FALSE (parseSettings ("<Config><child>").has_value());
    EXPECT_FALSE (parseSettings ("<Config><!-- never closed").has_value());
}

TEST (ParseSettings, RefusesDocumentsThatWouldExhaustTheParser)
{
    // An entity that refers to itself, and one that multiplies another.
    EXPECT_FALSE (parseSettings ("<!DOCTYPE c [<!ENTITY a \"&xa;\">]><Config outputmode=\"&a;\"/>").has_value());
    EXPECT_FALSE (parseSettings ("<!DOCTYPE c [<!entity a \"aaaa\"> <!ENTITY b \"&a;&a;&a;&a;\">]><Config prefmidi=\"&b;\"/>").has_value());

    EXPECT_FALSE (parseSettings ("<Config outputmode=\"1\">" + juce::String::repeatedString ("<a>", 100000)).has_value());

    // A processing instruction followed by text inside an element.
    EXPECT_FALSE (parseSettings ("<Config outputmode=\"1\"><?x?>text</Config>").has_value());

    // An unknown entity whose name looks like markup, and a hexadecimal character reference cut
    // off by the end of the text.
    EXPECT_FALSE (parseSettings ("<Config><a>&<b c=\"&#x41\"/>;</a></Config>").has_value());
    EXPECT_FALSE (parseSettings ("<Config prefmidi=\"&#x").has_value());
    EXPECT_FALSE (parseSettings ("<Config><a>&#X4f").has_value());

    // A document type without entities, processing instructions before the root, and a few child
    // elements are still read.
    EXPECT_TRUE (parseSettings ("<?xml version=\"1.0\"?><?x y?><!-- c --><Config><a><!-- <b> --></a></Config>").has_value());
    EXPECT_TRUE (parseSettings ("<!DOCTYPE Config><Config><a><b/></a></Config>").has_value());
}

TEST_F (SettingsFileTest, WrittenFileIsCompleteAndReadsBackEqual)
{
    StoredSettings settings;
    settings.outputMode = 1;
    settings.frameRate = 30;
    settings.outgoingIp = "192.168.1.10";
    settings.prefOutputChannel = -1;
    settings.prefMidi = juce::String::fromUTF8 ("Caf\xc3\xa9 \"MIDI\" <1> & 'out'\ttab\nline");
    settings.start = 2591999;

    const auto file = folder.getChildFile ("Autosave.zarntm");
    ASSERT_TRUE (writeXmlFile (*createSettingsXml (settings), file));

    const auto content = file.loadFileAsString();
    EXPECT_TRUE (content.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE (content.contains ("<Config "));

    int lastIndex = -1;
    for (const auto* name : { "outputmode=", "outgoingfps=", "outgoingip=", "prefoutputchannel=", "prefmidi=", "start=" })
    {
        const auto index = content.indexOf (name);
        EXPECT_GT (index, lastIndex) << name;
        lastIndex = index;
    }

    const auto readBack = readSettingsFile (file);
    ASSERT_TRUE (readBack.has_value());
    EXPECT_TRUE (*readBack == settings);
    EXPECT_EQ (readBack->prefMidi, settings.prefMidi);

    // No temporary file is left beside it.
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (SettingsFileTest, DefaultsAndExtremeNumbersRoundTrip)
{
    StoredSettings extremes;
    extremes.outputMode = intMin;
    extremes.frameRate = intMax;
    extremes.outgoingIp = {};
    extremes.prefOutputChannel = intMin;
    extremes.start = intMax;

    for (const auto& settings : { StoredSettings{}, extremes })
    {
        const auto file = folder.getChildFile ("Autosave.zarntm");
        ASSERT_TRUE (writeXmlFile (*createSettingsXml (settings), file));

        const auto readBack = readSettingsFile (file);
        ASSERT_TRUE (readBack.has_value());
        EXPECT_TRUE (*readBack == settings);
    }
}

TEST_F (SettingsFileTest, MissingOrBadFilesGiveNothing)
{
    EXPECT_FALSE (readSettingsFile (folder.getChildFile ("Autosave.zarntm")).has_value());
    EXPECT_FALSE (readSettingsFile (folder).has_value());
    EXPECT_FALSE (readSettingsFile (fileWith ("empty", {})).has_value());
    EXPECT_FALSE (readSettingsFile (fileWith ("truncated", "<?xml version=\"1.0\"?>\r\n<Config outputmode=\"1\" outg")).has_value());
    EXPECT_FALSE (readSettingsFile (fileWith ("other", "<DEVICESETUP deviceType=\"JACK\"/>")).has_value());

    const auto binary = folder.getChildFile ("binary");
    const unsigned char bytes[] = { 0xc3, 0x28, 0x3c, 0x43, 0x6f, 0x6e, 0x66, 0x69, 0x67, 0x2f, 0x3e, 0x80, 0x00 };
    ASSERT_TRUE (binary.replaceWithData (bytes, sizeof (bytes)));
    EXPECT_FALSE (readSettingsFile (binary).has_value());
}

TEST_F (SettingsFileTest, OverlongUtf8IsReadAsItsCharacter)
{
    // E0 81 81 is an overlong form of 'A', which the framework's file reading lets through.
    juce::MemoryOutputStream bytes;
    bytes << "<Config outgoingip=\"&#x31;.2.3.4\" prefmidi=\"a";
    for (int i = 0; i < 8; ++i)
        bytes.write ("\xe0\x81\x81", 3);
    bytes << "z\"/>";

    const auto file = folder.getChildFile ("overlong");
    ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getDataSize()));

    const auto settings = readSettingsFile (file);
    ASSERT_TRUE (settings.has_value());
    EXPECT_EQ (settings->outgoingIp, "1.2.3.4");
    EXPECT_EQ (settings->prefMidi, "aAAAAAAAAz");
}

TEST_F (SettingsFileTest, CreatesBothFoldersOwnerOnly)
{
    const auto documents = folder.getChildFile ("Documents");
    ASSERT_TRUE (documents.createDirectory().wasOk());

    const auto settingsFolder = createSettingsFolders (documents);

    EXPECT_EQ (settingsFolder, documents.getChildFile ("ZARN/Rozavado Deduzadiv"));
    EXPECT_TRUE (settingsFolder.isDirectory());
    EXPECT_EQ (modeOf (documents.getChildFile ("ZARN")), 0700);
    EXPECT_EQ (modeOf (settingsFolder), 0700);

    // A second run finds both folders and leaves them and their content alone.
    const auto kept = settingsFolder.getChildFile ("Autosave.zarntm");
    ASSERT_TRUE (kept.replaceWithText ("kept"));
    EXPECT_EQ (createSettingsFolders (documents), settingsFolder);
    EXPECT_EQ (kept.loadFileAsString(), "kept");
    EXPECT_EQ (modeOf (settingsFolder), 0700);
}

TEST_F (SettingsFileTest, MissingDocumentsFolderIsCreated)
{
    const auto documents = folder.getChildFile ("Documents");
    ASSERT_FALSE (documents.exists());

    const auto settingsFolder = createSettingsFolders (documents);

    EXPECT_TRUE (settingsFolder.isDirectory());
    EXPECT_TRUE (writeXmlFile (*createSettingsXml ({}), settingsFolder.getChildFile ("Autosave.zarntm")));
}

TEST_F (SettingsFileTest, UnreachableDocumentsFolderIsNoError)
{
    const auto documents = folder.getChildFile ("no such folder/Documents");

    const auto settingsFolder = createSettingsFolders (documents);

    EXPECT_EQ (settingsFolder, documents.getChildFile ("ZARN/Rozavado Deduzadiv"));
    EXPECT_FALSE (settingsFolder.exists());
    EXPECT_FALSE (readSettingsFile (settingsFolder.getChildFile ("Autosave.zarntm")).has_value());
    EXPECT_FALSE (writeXmlFile (*createSettingsXml ({}), settingsFolder.getChildFile ("Autosave.zarntm")));
}

TEST_F (SettingsFileTest, AudioConfigurationIsReadOnlyWhenWellFormed)
{
    EXPECT_EQ (readAudioConfiguration (folder.getChildFile ("audioConfig.zarnc")), nullptr);
    EXPECT_EQ (readAudioConfiguration (fileWith ("empty.zarnc", {})), nullptr);
    EXPECT_EQ (readAudioConfiguration (fileWith ("bad.zarnc", "<DEVICESETUP deviceType=\"JA")), nullptr);

    const auto setup = readAudioConfiguration (fileWith ("audioConfig.zarnc",
                                                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
                                                         "<DEVICESETUP deviceType=\"JACK\" audioOutputDeviceName=\"system\" audioInputDeviceName=\"system\"\r\n"
                                                         "             audioDeviceRate=\"48000.0\" audioDeviceBufferSize=\"512\"/>\r\n"));
    ASSERT_NE (setup, nullptr);
    EXPECT_TRUE (setup->hasTagName ("DEVICESETUP"));
    EXPECT_EQ (setup->getStringAttribute ("audioOutputDeviceName"), "system");
    EXPECT_EQ (setup->getIntAttribute ("audioDeviceBufferSize"), 512);
}
