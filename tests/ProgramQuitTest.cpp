#include "support/JackMidiRecorder.h"
#include "support/PrivateJackServer.h"
#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
    enum Quit
    {
        closingTheWindow,
        terminationSignal
    };

    class ProgramQuitTest : public testing::TestWithParam<Quit>
    {
    };
} // namespace

// A server that is stopped answers no request, and closing a JACK device or port asks it; the
// program must still end at once, with everything it keeps written.
TEST_P (ProgramQuitTest, EndsWithItsSettingsWrittenWhileTheJackServerIsFrozen)
{
    if (! TestEnvironment::servicesAvailable())
        GTEST_SKIP() << "needs the display of the test services and jackd";

    PrivateJackServer server;
    const ScopedJackServerName scopedName (server.name);
    ASSERT_TRUE (server.waitUntilUp());
    JackMidiRecorder recorder;
    ASSERT_TRUE (recorder.isOpen());

    ProgramUnderTest program;
    program.writeAudioConfiguration (ProgramUnderTest::jackAudioConfiguration);
    program.writeSettingsFile (R"(<Config outputmode="1" outgoingfps="25" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi=")" + recorder.portName() + R"(" start="4500"/>)");

    // Whatever happens, the server goes on before anything closes its clients.
    const juce::ScopeGuard resumeServer { [&]
                                          { server.resume(); } };

    ASSERT_TRUE (program.start());
    ASSERT_TRUE (ProgramUnderTest::waitUntil ([&]
                                              { return recorder.numConnections() > 0; },
                                              10000))
        << "the program's MIDI output never connected";

    // The start-up handlers open the MIDI output once more right after the first open; a freeze
    // in the middle of that is another case (a request that sets up waits longer).
    juce::Thread::sleep (2000);

    // From here on, only what the program writes while the server is frozen is on disk.
    server.freeze();
    program.settingsFile().deleteFile();

    const auto start = juce::Time::getMillisecondCounter();
    const auto status = GetParam() == Quit::closingTheWindow ? program.closeAndWait (5000)
                                                             : program.terminateAndWait (5000);
    RecordProperty ("quitMilliseconds", (int) (juce::Time::getMillisecondCounter() - start));

    EXPECT_EQ (status, 0) << "the program did not end by itself within 5 s";

    const auto settings = program.readSettingsFile();
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (settings->getIntAttribute ("outputmode"), 1);
    EXPECT_EQ (settings->getIntAttribute ("outgoingfps"), 25);
    EXPECT_EQ (settings->getStringAttribute ("prefmidi"), recorder.portName());
    EXPECT_EQ (settings->getIntAttribute ("start"), 4500);
}

INSTANTIATE_TEST_SUITE_P (Quits, ProgramQuitTest, testing::Values (Quit::closingTheWindow, Quit::terminationSignal), [] (const auto& info)
                          { return info.param == Quit::closingTheWindow ? "ClosingTheWindow" : "TerminationSignal"; });
