#include "support/JackMidiRecorder.h"
#include "support/PrivateJackServer.h"
#include "support/ProgramUnderTest.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/inotify.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{
    enum Quit
    {
        closingTheWindow,
        terminationSignal
    };

    enum AudioDevice
    {
        jackDeviceOnTheFrozenServer,
        alsaWithNoDevice
    };

    class ProgramQuitTest : public testing::TestWithParam<std::tuple<Quit, AudioDevice>>
    {
    };

    /** The names of the files that are moved into a folder, in order, from the watch's creation
        on. The program writes each file to a temporary one and moves that into place.
    */
    class FilesMovedInto
    {
    public:
        explicit FilesMovedInto (const juce::File& folder)
        {
            ::inotify_add_watch (watch, folder.getFullPathName().toRawUTF8(), IN_MOVED_TO);
        }

        ~FilesMovedInto() { ::close (watch); }

        juce::StringArray names()
        {
            alignas (inotify_event) char events[4096];
            ssize_t length = 0;

            while ((length = ::read (watch, events, sizeof (events))) > 0)
            {
                for (auto* p = events; p < events + length;)
                {
                    const auto* event = reinterpret_cast<const inotify_event*> (p);
                    moved.add (event->name);
                    p += sizeof (inotify_event) + event->len;
                }
            }

            return moved;
        }

    private:
        int watch = ::inotify_init1 (IN_NONBLOCK | IN_CLOEXEC);
        juce::StringArray moved;
    };
} // namespace

// A server that is stopped answers no request, and closing a JACK device or port asks it; the
// program must still end within about 2 s, with everything it keeps written by the quit itself.
// Without an audio device on that server the quit goes on to take down the MIDI output.
TEST_P (ProgramQuitTest, EndsWithItsSettingsWrittenWhileTheJackServerIsFrozen)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    PrivateJackServer server;
    const ScopedJackServerName scopedName (server.name);
    ASSERT_TRUE (server.waitUntilUp());
    JackMidiRecorder recorder;
    ASSERT_TRUE (recorder.isOpen());

    const auto [quit, audioDevice] = GetParam();
    ProgramUnderTest program;
    program.writeAudioConfiguration (audioDevice == jackDeviceOnTheFrozenServer ? ProgramUnderTest::jackAudioConfiguration
                                                                                : R"(<DEVICESETUP deviceType="ALSA"/>)");
    program.writeSettingsFile (R"(<Config outputmode="1" outgoingfps="30" outgoingip="127.0.0.1" prefoutputchannel="0" prefmidi=")" + recorder.portName() + R"(" start="4500"/>)");

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

    program.clickContent (200, 239);
    ASSERT_TRUE (ProgramUnderTest::waitUntil ([&]
                                              { return recorder.numEvents() >= 16; },
                                              5000))
        << "no timecode reached the recorder";

    server.freeze();
    FilesMovedInto filesWritten (program.settingsFolder());

    const auto start = juce::Time::getMillisecondCounter();
    const auto status = quit == closingTheWindow ? program.closeAndWait (4000)
                                                 : program.terminateAndWait (4000);
    RecordProperty ("quitMilliseconds", (int) (juce::Time::getMillisecondCounter() - start));

    EXPECT_EQ (status, 0) << "the program did not end by itself within 4 s";

    // The tick saves the settings about once a second, but only the quit writes the audio
    // configuration, and it saves the settings after that.
    const auto written = filesWritten.names();
    const auto audioConfiguration = written.indexOf ("audioConfig.zarnc");
    ASSERT_GE (audioConfiguration, 0) << "the quit wrote no audio configuration";
    ASSERT_GT (written.indexOf ("Autosave.zarntm", false, audioConfiguration), audioConfiguration) << "the quit did not save the settings";

    const auto settings = program.readSettingsFile();
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (settings->getIntAttribute ("outputmode"), 1);
    EXPECT_EQ (settings->getIntAttribute ("outgoingfps"), 30);
    EXPECT_EQ (settings->getStringAttribute ("prefmidi"), recorder.portName());
    EXPECT_EQ (settings->getIntAttribute ("start"), 4500);
}

INSTANTIATE_TEST_SUITE_P (Quits,
                          ProgramQuitTest,
                          testing::Combine (testing::Values (closingTheWindow, terminationSignal),
                                            testing::Values (jackDeviceOnTheFrozenServer, alsaWithNoDevice)),
                          [] (const auto& info)
                          {
                              const auto* quit = std::get<Quit> (info.param) == closingTheWindow ? "ClosingTheWindow" : "TerminationSignal";
                              const auto* audio = std::get<AudioDevice> (info.param) == jackDeviceOnTheFrozenServer ? "WithJackAudio" : "WithAlsaAudio";
                              return std::string (quit) + audio;
                          });

namespace
{
    class ProgramStuckQuitTest : public testing::TestWithParam<std::vector<int>>
    {
    };
} // namespace

// With its display server stopped, the program's message thread waits for the server, and so
// does a quit through the message loop. A second signal still ends the program at once, and the
// quit that one signal asked for ends it within 5 s; either way it dies of the signal that did.
TEST_P (ProgramStuckQuitTest, EndsOnSignalsWhileItsDisplayIsStopped)
{
    // Without a JACK server, as on most desktops. The services' server runs in sync mode, where a
    // client that is killed holds every cycle up for many seconds, and the tests after this one.
    const ScopedJackServerName noServer ("rozavado-test-none");

    ProgramUnderTest program;
    ASSERT_TRUE (program.start());

    const auto display = (pid_t) juce::String (std::getenv ("ROZAVADO_TEST_DISPLAY_SERVER")).getIntValue();
    ASSERT_GT (display, 0) << "the display server is not known";
    ASSERT_EQ (::kill (display, SIGSTOP), 0);
    const juce::ScopeGuard resumeDisplay { [&]
                                           { ::kill (display, SIGCONT); } };

    const auto signals = GetParam();
    juce::uint32 lastSent = 0;

    for (size_t i = 0; i < signals.size(); ++i)
    {
        lastSent = juce::Time::getMillisecondCounter();
        program.sendSignal (signals[i]);

        // The handler of the first signal arms the deadline, and the program catches SIGALRM from
        // then on. A second signal sent before may be taken by another thread at the same time,
        // and count as the first.
        if (i == 0)
            ASSERT_TRUE (ProgramUnderTest::waitUntil ([&]
                                                      { return program.catchesSignal (SIGALRM); },
                                                      5000))
                << "the first signal armed no deadline";
    }

    const auto ending = program.waitForEnding (20000);
    RecordProperty ("endMilliseconds", (int) (juce::Time::getMillisecondCounter() - lastSent));

    EXPECT_EQ (ending, "killed by SIG" + juce::String (::sigabbrev_np (signals.back())));
}

INSTANTIATE_TEST_SUITE_P (Signals, ProgramStuckQuitTest, testing::Values (std::vector<int> { SIGINT }, std::vector<int> { SIGINT, SIGTERM }), [] (const auto& info)
                          { return info.param.size() == 1 ? "OneSignalAndTheDeadline" : "TwoSignals"; });
