#include "engine/JackMidiOutputDevices.h"
#include "engine/MtcSender.h"
#include "engine/Timecode.h"
#include "support/JackMidiRecorder.h"
#include "support/PrivateJackServer.h"
#include "support/QuarterFrameSets.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

namespace
{
    bool lists (MidiOutputDevices& devices, const juce::String& name)
    {
        for (const auto& device : devices.getAvailableDevices())
            if (device.name == name)
                return true;

        return false;
    }

    /** Time enough for a request to a server that answers, even on a loaded machine; short, so
        that a test can let a request to a frozen server time out.
    */
    constexpr int shortRequestTimeoutMilliseconds = 2000;

    juce::MidiBuffer quarterFrameBlock()
    {
        juce::MidiBuffer block;
        for (int piece = 0; piece < 8; ++piece)
            block.addEvent (juce::MidiMessage (0xf1, piece << 4), piece);
        return block;
    }

    class JackMidiOutputDevicesTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE (TestEnvironment::servicesAvailable());
            ASSERT_TRUE (recorder.isOpen());
        }

        /** Waits until no more events arrive, then returns them. */
        std::vector<JackMidiRecorder::Event> settledEvents()
        {
            auto count = recorder.numEvents();

            do
            {
                count = recorder.numEvents();
                juce::Thread::sleep (150);
            } while (recorder.numEvents() != count);

            return recorder.events();
        }

        JackMidiRecorder recorder;
        JackMidiOutputDevices devices;
    };
} // namespace

TEST_F (JackMidiOutputDevicesTest, ListsOtherClientsMidiInputsByFullPortName)
{
    const auto available = devices.getAvailableDevices();

    ASSERT_TRUE (lists (devices, recorder.portName()));
    for (const auto& device : available)
    {
        EXPECT_EQ (device.identifier, "jack:" + device.name);
        EXPECT_FALSE (device.name.startsWith ("system:")) << "an audio port: " << device.name;
    }

    // The program's own ports are not destinations; a client that comes is listed, and goes again.
    auto connection = devices.openDevice ("jack:" + recorder.portName());
    ASSERT_NE (connection, nullptr);
    EXPECT_EQ (devices.getAvailableDevices().size(), available.size());

    {
        JackMidiRecorder second ("second recorder");
        ASSERT_TRUE (TestEnvironment::eventually (1000, [&]
                                 { return lists (devices, second.portName()); }));
    }

    EXPECT_EQ (devices.getAvailableDevices().size(), available.size());
}

TEST_F (JackMidiOutputDevicesTest, RefusesWhatItDoesNotList)
{
    EXPECT_EQ (devices.openDevice (recorder.portName()), nullptr);
    EXPECT_EQ (devices.openDevice ("jack:no such client:in"), nullptr);
    EXPECT_EQ (devices.openDevice ({}), nullptr);

    // A failed open gives its port back.
    EXPECT_NE (devices.openDevice ("jack:" + recorder.portName()), nullptr);
}

class JackMtcAtEachRate : public JackMidiOutputDevicesTest,
                          public testing::WithParamInterface<int>
{
protected:
    struct Recording
    {
        std::vector<JackMidiRecorder::Event> events;
        int xruns = 0;
        uint32_t sampleRate = 0;
    };

    /** Sends sets through the sender, paced as the clock tick paces them, to a recorder of their own. */
    Recording sendSets (int frameRate, int startFrame, int numSets)
    {
        JackMidiRecorder rateRecorder ("rate recorder");
        MtcSender sender (devices);
        sender.frameRate = frameRate;
        sender.frameCounter = startFrame;
        sender.mtcMode = true;
        sender.openMidiOutput (rateRecorder.portName());
        EXPECT_TRUE (sender.midiOutput != nullptr && sender.midiOutput->isBackgroundThreadRunning());
        const auto xrunsBefore = rateRecorder.numXruns();

        for (int set = 0; set < numSets; ++set)
        {
            sender.sendFrame();
            juce::Thread::sleep (2000 / frameRate);
        }

        juce::Thread::sleep (300);
        return { rateRecorder.events(), rateRecorder.numXruns() - xrunsBefore, rateRecorder.sampleRate() };
    }
};

TEST_P (JackMtcAtEachRate, SetsArriveAQuarterFrameApartWithTheirTimecode)
{
    const auto frameRate = GetParam();
    const auto startFrame = *ticksToFrames ((10 * 3600 + 59 * 60 + 58) * 30 + 17, frameRate);
    constexpr int numSets = 6;

    // A late JACK cycle moves events in time; a run with one says nothing about the spacing, so
    // it is made again.
    Recording recording;
    for (int attempt = 0; attempt < 5 && (attempt == 0 || recording.xruns > 0); ++attempt)
        recording = sendSets (frameRate, startFrame, numSets);

    ASSERT_EQ (recording.xruns, 0) << "JACK reported an xrun in every attempt";
    ASSERT_EQ (recording.events.size(), (size_t) numSets * 8);
    const auto sets = quarterFrameSets (recording.events);
    ASSERT_EQ (sets.size(), (size_t) numSets);

    double largestError = 0.0;
    for (int set = 0; set < numSets; ++set)
    {
        EXPECT_EQ (dataBytesOf (sets[(size_t) set]), expectedDataBytes (startFrame + 2 * set, frameRate)) << "set " << set;
        largestError = std::max (largestError, largestSpacingError (sets[(size_t) set], frameRate, recording.sampleRate));
    }

    EXPECT_LE (largestError, 1.0);
    RecordProperty ("largestSpacingErrorMicroseconds", (int) std::lround (largestError * 1000.0));
}

INSTANTIATE_TEST_SUITE_P (FrameRates, JackMtcAtEachRate, testing::Values (24, 25, 30));

TEST_F (JackMidiOutputDevicesTest, StoppingDropsWhatIsStillQueued)
{
    MtcSender sender (devices);
    sender.frameRate = 25;
    sender.frameCounter = 100;
    sender.mtcMode = true;
    sender.openMidiOutput (recorder.portName());
    ASSERT_NE (sender.midiOutput, nullptr);

    // A set due a little later, stopped before it is due: none of it may ever come, not even once
    // the flow starts again.
    sender.midiOutput->sendBlockOfMessages (quarterFrameBlock(), juce::Time::getMillisecondCounter() + 300.0, 100.0);
    sender.stopSendThread();
    EXPECT_FALSE (sender.midiOutput->isBackgroundThreadRunning());
    sender.midiOutput->startBackgroundThread();
    juce::Thread::sleep (600);
    EXPECT_EQ (recorder.numEvents(), 0u);

    // The flow itself goes on with the next set.
    sender.sendFrame();
    const auto events = settledEvents();
    ASSERT_EQ (events.size(), 8u);
    EXPECT_EQ (dataBytesOf (events), expectedDataBytes (100, 25));
}

TEST_F (JackMidiOutputDevicesTest, ReopeningReplacesTheConnection)
{
    MtcSender sender (devices);
    sender.frameRate = 30;
    sender.mtcMode = true;

    // The new output is opened while the old one still exists, then the old one goes.
    sender.openMidiOutput (recorder.portName());
    sender.openMidiOutput (recorder.portName());
    ASSERT_NE (sender.midiOutput, nullptr);

    sender.sendFrame();
    EXPECT_EQ (settledEvents().size(), 8u);
}

TEST (JackMidiOutputDevicesServer, FollowsAServerThatComesAndGoes)
{
    ASSERT_TRUE (TestEnvironment::servicesAvailable());

    const auto serverName = TestEnvironment::spareJackServerName();
    const ScopedJackServerName scopedName (serverName);
    JackMidiOutputDevices devices;

    // No server yet: nothing to list.
    EXPECT_TRUE (devices.getAvailableDevices().isEmpty());

    auto server = std::make_unique<PrivateJackServer>();
    ASSERT_TRUE (server->waitUntilUp());
    auto recorder = std::make_unique<JackMidiRecorder>();
    ASSERT_TRUE (recorder->isOpen());
    ASSERT_TRUE (TestEnvironment::eventually (3000, [&]
                             { return lists (devices, recorder->portName()); }));

    std::unique_ptr<MidiOutputConnection> connections[2];
    for (auto& connection : connections)
    {
        connection = devices.openDevice ("jack:" + recorder->portName());
        ASSERT_NE (connection, nullptr);
        connection->startBackgroundThread();
        connection->sendBlockOfMessages (quarterFrameBlock(), juce::Time::getMillisecondCounter(), 100.0);
    }

    // The server goes while both are open and flowing: they can still be used and stopped, and
    // closed, the first before the list has noticed, the other once the list is empty.
    server->stop();

    for (auto& connection : connections)
    {
        connection->sendBlockOfMessages (quarterFrameBlock(), juce::Time::getMillisecondCounter(), 100.0);
        connection->stopBackgroundThread();
        EXPECT_FALSE (connection->isBackgroundThreadRunning());
    }

    connections[0].reset();
    EXPECT_TRUE (TestEnvironment::eventually (3000, [&]
                                              { return devices.getAvailableDevices().isEmpty(); }));
    recorder.reset();

    // A server that comes back is found again; the output of the old one still closes.
    server = std::make_unique<PrivateJackServer>();
    ASSERT_TRUE (server->waitUntilUp());
    recorder = std::make_unique<JackMidiRecorder>();
    ASSERT_TRUE (recorder->isOpen());
    EXPECT_TRUE (TestEnvironment::eventually (3000, [&]
                             { return lists (devices, recorder->portName()); }));
    connections[1].reset();
    EXPECT_NE (devices.openDevice ("jack:" + recorder->portName()), nullptr);
}

/** A server of the test's own, which it may freeze, with a recorder on it. */
class JackMidiOutputDevicesFrozenServer : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (TestEnvironment::servicesAvailable());

        ASSERT_TRUE (server.waitUntilUp());
        recorder = std::make_unique<JackMidiRecorder>();
        ASSERT_TRUE (recorder->isOpen());
    }

    /** Whatever happens, the server goes on before the recorder closes its client. */
    void TearDown() override
    {
        server.resume();
    }

    /** Opens an output of the devices to the recorder, once they list it, and starts its flow;
        null when that fails.
    */
    std::unique_ptr<MidiOutputConnection> openFlowingOutput (JackMidiOutputDevices& devices) const
    {
        if (! TestEnvironment::eventually (3000, [&]
                                           { return lists (devices, recorder->portName()); }))
            return nullptr;

        auto connection = devices.openDevice ("jack:" + recorder->portName());

        if (connection != nullptr)
            connection->startBackgroundThread();

        return connection;
    }

    PrivateJackServer server;
    const ScopedJackServerName scopedName { server.name };
    std::unique_ptr<JackMidiRecorder> recorder;
};

TEST_F (JackMidiOutputDevicesFrozenServer, ClosesItsOutputAndClientWhileTheServerIsFrozen)
{
    uint32_t closeStart = 0;

    {
        JackMidiOutputDevices devices (shortRequestTimeoutMilliseconds);
        auto connection = openFlowingOutput (devices);
        ASSERT_NE (connection, nullptr);

        // Due once the server is back: by then nothing may go out through the given-up client.
        connection->sendBlockOfMessages (quarterFrameBlock(), juce::Time::getMillisecondCounter() + 1000.0, 100.0);

        // A stopped server answers no request: removing the port and closing the client must
        // still end.
        server.freeze();
        closeStart = juce::Time::getMillisecondCounter();
        connection->stopBackgroundThread();
        connection.reset();
        EXPECT_TRUE (devices.getAvailableDevices().isEmpty());
    }

    RecordProperty ("closeMilliseconds", (int) (juce::Time::getMillisecondCounter() - closeStart));

    // Back again, the server runs the given-up client's cycles and answers its requests, and
    // none of it reaches what the devices freed.
    server.resume();
    juce::Thread::sleep (1500);
    EXPECT_EQ (recorder->numEvents(), 0u);
}

TEST_F (JackMidiOutputDevicesFrozenServer, NothingRepeatsOnceTheServerIsBack)
{
    // Every event differs from every other, one a millisecond, so that each cycle carries some.
    int numSent = 0;
    const auto uniqueBlock = [&numSent] (int numEvents)
    {
        juce::MidiBuffer block;
        for (int i = 0; i < numEvents; ++i, ++numSent)
            block.addEvent (juce::MidiMessage::noteOn (1, (numSent >> 7) & 0x7f, (juce::uint8) (numSent & 0x7f)), i);
        return block;
    };

    JackMidiOutputDevices devices (shortRequestTimeoutMilliseconds);
    auto flowing = openFlowingOutput (devices);
    ASSERT_NE (flowing, nullptr);
    flowing->sendBlockOfMessages (uniqueBlock (500), juce::Time::getMillisecondCounter(), 1000.0);
    ASSERT_TRUE (TestEnvironment::eventually (3000, [&]
                                              { return recorder->numEvents() >= 50; }));

    // The server stops in mid-flow, and a request to it times out: the client is given up while
    // its port, last written with events, stays connected.
    server.freeze();
    EXPECT_EQ (devices.openDevice ("jack:" + recorder->portName()), nullptr);
    EXPECT_TRUE (devices.getAvailableDevices().isEmpty());
    flowing.reset();
    const auto numBeforeResuming = recorder->numEvents();

    // Back again, the server is found by a new client, which sends; the given-up one sends
    // nothing more, and what it last sent is never read again.
    server.resume();
    ASSERT_TRUE (TestEnvironment::eventually (5000, [&]
                                              { return lists (devices, recorder->portName()); }));
    juce::Thread::sleep (300);
    EXPECT_EQ (recorder->numEvents(), numBeforeResuming);

    auto replacement = devices.openDevice ("jack:" + recorder->portName());
    ASSERT_NE (replacement, nullptr);
    replacement->startBackgroundThread();
    replacement->sendBlockOfMessages (uniqueBlock (8), juce::Time::getMillisecondCounter(), 1000.0);
    EXPECT_TRUE (TestEnvironment::eventually (3000, [&]
                                              { return recorder->numEvents() > numBeforeResuming; }));
    juce::Thread::sleep (300);

    std::set<std::vector<uint8_t>> distinct;
    size_t numRepeated = 0;
    for (const auto& event : recorder->events())
        if (! distinct.insert (event.bytes).second)
            ++numRepeated;

    EXPECT_EQ (numRepeated, 0u);
}
