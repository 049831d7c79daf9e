#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"
#include "support/UdpReceiver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
    int modeOf (const juce::File& folder)
    {
        struct stat status
        {
        };

        if (::stat (folder.getFullPathName().toRawUTF8(), &status) != 0)
            return -1;

        return (int) (status.st_mode & 07777);
    }

    juce::StringArray attributeNamesOf (const juce::XmlElement& element)
    {
        juce::StringArray names;

        for (int i = 0; i < element.getNumAttributes(); ++i)
            names.add (element.getAttributeName (i));

        return names;
    }

    const juce::StringArray settingsAttributes{"outputmode", "outgoingfps", "outgoingip", "prefoutputchannel", "prefmidi", "start"};

    class ProgramWindowTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());
        }

        ProgramUnderTest program;
    };
} // namespace

TEST_F (ProgramWindowTest, FirstStartShowsTheWindowAndCreatesPrivateSettings)
{
    ASSERT_TRUE (program.start());

    const auto window = program.mainWindowGeometry();
    EXPECT_EQ (window.getWidth(), 350);
    EXPECT_GE (program.menuBarHeight(), 15);
    EXPECT_LE (program.menuBarHeight(), 40);

    // The channel box's handler has run once by the first save: with no output device nothing is
    // selected, which is stored as -1.
    const auto channelStored = [&]
    {
        const auto settings = program.readSettingsFile();
        return settings != nullptr && settings->getStringAttribute ("prefoutputchannel") == "-1";
    };

    ASSERT_TRUE (ProgramUnderTest::waitUntil (channelStored, 15000));

    const auto settings = program.readSettingsFile();
    EXPECT_EQ (settings->getTagName(), "Config");
    EXPECT_EQ (attributeNamesOf (*settings), settingsAttributes);
    EXPECT_EQ (settings->getStringAttribute ("outputmode"), "0");
    EXPECT_EQ (settings->getStringAttribute ("outgoingfps"), "24");
    EXPECT_EQ (settings->getStringAttribute ("outgoingip"), "127.0.0.1");
    EXPECT_EQ (settings->getStringAttribute ("start"), "0");

    EXPECT_EQ (modeOf (program.settingsFolder().getParentDirectory()), 0700);
    EXPECT_EQ (modeOf (program.settingsFolder()), 0700);
}

TEST_F (ProgramWindowTest, ClosingTheWindowQuitsAndSavesTheLastState)
{
    program.writeSettingsFile (R"(<Config outputmode="0" outgoingfps="30" outgoingip="10.0.0.7" prefoutputchannel="0" prefmidi="" start="4500"/>)");
    ASSERT_TRUE (program.start());

    // Switched right before the close, so that the last save is the one that shows it.
    program.clickContent (200, 42);
    EXPECT_EQ (program.closeAndWait(), 0);

    const auto settings = program.readSettingsFile();
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (attributeNamesOf (*settings), settingsAttributes);
    EXPECT_EQ (settings->getStringAttribute ("outputmode"), "2");
    EXPECT_EQ (settings->getStringAttribute ("outgoingfps"), "30");
    EXPECT_EQ (settings->getStringAttribute ("outgoingip"), "10.0.0.7");
    EXPECT_EQ (settings->getStringAttribute ("start"), "4500");
}

TEST_F (ProgramWindowTest, QuittingWhileTheClockRunsSavesTheStartNotTheClock)
{
    const auto address = TestEnvironment::privateLoopbackAddress();
    UdpReceiver receiver{6454, address};
    ASSERT_TRUE (receiver.isBound());

    program.writeSettingsFile (R"(<Config outputmode="2" outgoingfps="25" outgoingip=")" + address + R"(" prefoutputchannel="0" prefmidi="" start="4500"/>)");
    ASSERT_TRUE (program.start());

    // Art-Net packets show that the clock runs.
    program.clickContent (200, 239);
    ASSERT_TRUE (receiver.receive (5000).has_value());
    juce::Thread::sleep (1000);

    EXPECT_EQ (program.closeAndWait(), 0);

    const auto settings = program.readSettingsFile();
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (settings->getStringAttribute ("start"), "4500");
}
