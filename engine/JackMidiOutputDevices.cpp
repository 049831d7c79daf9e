#include "JackMidiOutputDevices.h"

#include "engine/BoundedCall.h"
#include "engine/JackLibrary.h"
#include "engine/TimedMidiQueue.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace
{
    const juce::String identifierPrefix { "jack:" };
    const char* const clientName = "Rozavado Deduzadiv";
    constexpr uint32_t lookIntervalMilliseconds = 1000;

    /** How long all requests of a quit together may take before the server counts as not
        answering: short, so that a quit is never held up for long.
    */
    constexpr int quitTimeoutMilliseconds = 2000;

    /** Enough for an output and the one replacing it, with room to spare. */
    constexpr size_t maxOutputs = 8;

    /** Messages go out this long after their due time, on top of one period. A block is queued while
        a cycle runs, with its first message due at once (its start is the whole-millisecond counter,
        so up to 1 ms ago), and the earliest frame still to be written is a period away; the delay
        lets every message of a block reach its exact place in a cycle to come, so the spacing within
        a block holds.
    */
    constexpr double extraDelayMilliseconds = 2.0;

    void ignoreJackMessage (const char*) {}

    /** One output port of the client and the messages queued for it. */
    struct OutputSlot
    {
        /** Set from the port's registration until it leaves the process callback before its
            removal. The callback clears the port's buffer on every cycle meanwhile, also once it
            is out of the flow: the server hands on a buffer that its client leaves alone again on
            every cycle.
        */
        std::atomic<jack_port_t*> port { nullptr };

        /** Whether queued messages go out (the connection's send thread runs). */
        std::atomic<bool> flowing { false };

        /** Messages queued before the current generation are dropped unsent. */
        std::atomic<uint32_t> generation { 0 };

        TimedMidiQueue queue;

        /** Owned by a connection; message thread only. */
        bool inUse = false;
    };

    /** A look for the server on a thread of its own: opening a client waits for an answer that a
        stopped server never gives. Shared with that thread, which may outlast the devices.
    */
    struct ServerLook
    {
        enum State
        {
            looking,
            finished,
            unwanted
        };

        std::atomic<State> state { looking };

        /** The client opened, or null; written before the state becomes finished. */
        jack_client_t* client = nullptr;
    };
} // namespace

//==============================================================================
class JackMidiOutputDevices::Pimpl
{
public:
    /** Whether the first list query waits for the first look, up to the request time. */
    Pimpl (int requestTimeoutMillisecondsToUse, bool waitForFirstLook)
        : requestTimeoutMilliseconds (requestTimeoutMillisecondsToUse), waitsForNextLook (waitForFirstLook)
    {
        // Without a server, every look for one would otherwise print JACK's complaint.
        if (jack.isLoaded())
            jack.setErrorFunction (ignoreJackMessage);
    }

    ~Pimpl()
    {
        jassert (std::none_of (slots.begin(), slots.end(), [] (const auto& slot)
                               { return slot.inUse; }));
        jassert (client == nullptr);
    }

    /** Closes the client, and one that a look still in progress may yet find, within the time
        given for a quit.
    */
    void shutDown()
    {
        startQuitDeadline();

        // A look runs only while no client is open.
        if (look != nullptr && look->state.exchange (ServerLook::unwanted) == ServerLook::finished)
            client = look->client;

        look.reset();
        closeClient();
    }

    /** True once a request to the server has not come back: the client, its process callback
        and this object may then be in use by the server's threads for as long as the process runs.
    */
    bool isAbandoned() const noexcept { return abandoned; }

    juce::Array<juce::MidiDeviceInfo> getAvailableDevices()
    {
        juce::Array<juce::MidiDeviceInfo> devices;

        if (! updateClient())
            return devices;

        if (auto** ports = jack.getPorts (client, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput))
        {
            const auto ownPrefix = ownClientName + ":";

            for (auto** port = ports; *port != nullptr; ++port)
            {
                const auto name = juce::String::fromUTF8 (*port);

                if (! name.startsWith (ownPrefix))
                    devices.add ({ name, identifierPrefix + name });
            }

            jack.free (ports);
        }

        return devices;
    }

    std::unique_ptr<MidiOutputConnection> openDevice (const juce::String& identifier)
    {
        if (! identifier.startsWith (identifierPrefix) || ! updateClient())
            return nullptr;

        const auto freeSlot = std::find_if (slots.begin(), slots.end(), [] (const auto& slot)
                                            { return ! slot.inUse; });

        if (freeSlot == slots.end())
            return nullptr;

        // Each slot has a port name of its own, so an output and its replacement can coexist.
        const auto index = (int) std::distance (slots.begin(), freeSlot);
        const auto portName = index == 0 ? juce::String ("MIDI out") : "MIDI out " + juce::String (index + 1);
        const auto registered = request ([portRegister = jack.portRegister, owner = client, portName]
                                         { return portRegister (owner, portName.toRawUTF8(), JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0); });

        if (! registered.has_value() || *registered == nullptr)
            return nullptr;

        // Cleared from here on, so that a connection made after all by a request that came back
        // late never reads stale messages.
        auto* port = *registered;
        freeSlot->queue.clear();
        freeSlot->flowing = false;
        freeSlot->port = port;

        const auto destination = identifier.substring (identifierPrefix.length());
        const auto connected = request ([connect = jack.connect, nameOf = jack.portName, owner = client, port, destination]
                                        { return connect (owner, nameOf (port), destination.toRawUTF8()); });

        if (! connected.has_value())
            return nullptr;

        if (*connected != 0)
        {
            removePort (*freeSlot);
            return nullptr;
        }

        freeSlot->inUse = true;
        return std::make_unique<Connection> (*this, *freeSlot);
    }

private:
    /** An open output: its send thread is the slot's flow of messages. */
    class Connection final : public MidiOutputConnection
    {
    public:
        Connection (Pimpl& ownerToUse, OutputSlot& slotToUse)
            : owner (ownerToUse), slot (slotToUse)
        {
        }

        ~Connection() override
        {
            owner.release (slot);
        }

        void sendBlockOfMessages (const juce::MidiBuffer& buffer,
                                  double millisecondCounterToStartAt,
                                  double samplesPerSecondForBuffer) override
        {
            owner.queueBlock (slot, buffer, millisecondCounterToStartAt, samplesPerSecondForBuffer);
        }

        void startBackgroundThread() override
        {
            slot.flowing = true;
        }

        void stopBackgroundThread() override
        {
            owner.stopFlow (slot);
        }

        bool isBackgroundThreadRunning() const override
        {
            return slot.flowing;
        }

    private:
        Pimpl& owner;
        OutputSlot& slot;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Connection)
    };

    /** Closes a client whose server has gone; when no client is open, takes the one a look has
        found, or starts a look when none runs and the last one is long enough ago. Returns whether
        a client is open.
    */
    bool updateClient()
    {
        if (client != nullptr && serverGone)
            closeClient();

        if (abandoned)
            return false;

        if (client == nullptr && jack.isLoaded())
        {
            takeWhatTheLookFound();

            if (client == nullptr && look == nullptr && (waitsForNextLook || juce::Time::getMillisecondCounter() - lastLookStart >= lookIntervalMilliseconds))
            {
                startLook();
                takeWhatTheLookFound();
            }
        }

        return client != nullptr && ! abandoned;
    }

    /** Starts a look on a thread of its own; the first one is waited for, up to the request time. */
    void startLook()
    {
        look = std::make_shared<ServerLook>();
        lastLookStart = juce::Time::getMillisecondCounter();

        auto lookForServer = [lookToRun = look, clientOpen = jack.clientOpen, clientClose = jack.clientClose]
        {
            auto* opened = clientOpen (clientName, JackNoStartServer, nullptr);
            lookToRun->client = opened;

            if (lookToRun->state.exchange (ServerLook::finished) == ServerLook::unwanted && opened != nullptr)
                clientClose (opened);
        };

        if (std::exchange (waitsForNextLook, false))
            callWithin (requestTimeout(), std::move (lookForServer));
        else
            std::thread (std::move (lookForServer)).detach();
    }

    void takeWhatTheLookFound()
    {
        if (look == nullptr || look->state.load() != ServerLook::finished)
            return;

        auto* found = look->client;
        look.reset();

        if (found != nullptr)
            setUpClient (found);
    }

    void setUpClient (jack_client_t* newClient)
    {
        serverGone = false;
        cycleStartKnown = false;
        jack.setProcessCallback (newClient, processCallback, this);
        jack.onInfoShutdown (newClient, shutdownCallback, this);
        client = newClient;

        const auto activated = request ([activate = jack.activate, toActivate = client]
                                        { return activate (toActivate); });

        if (! activated.has_value())
            return;

        if (*activated != 0)
        {
            closeClient();
            return;
        }

        ownClientName = juce::String::fromUTF8 (jack.getClientName (client));
        sampleRate = jack.getSampleRate (client);
    }

    /** Closing the client stops its process callback and removes its ports; open connections
        stay, without a port, until they are destroyed.
    */
    void closeClient()
    {
        if (client == nullptr || abandoned)
            return;

        const auto closed = request ([clientClose = jack.clientClose, toClose = client]
                                     { return clientClose (toClose); });

        if (! closed.has_value())
            return;

        for (auto& slot : slots)
            slot.port = nullptr;

        client = nullptr;
        ownClientName.clear();
        serverGone = false;
    }

    /** Makes a request that the server may never answer (a stopped server answers nothing) on a
        thread of its own, and returns its result, or nothing when it did not come back in time.
        The client is then given up: nothing more goes out through its ports, which the process
        callback goes on clearing, and nothing is asked of the server again.
    */
    template <typename Request>
    auto request (Request call) -> std::optional<decltype (call())>
    {
        // Shared with the call, which may outlast this one.
        auto result = std::make_shared<decltype (call())>();
        const auto timeoutMilliseconds = requestTimeout();

        if (timeoutMilliseconds > 0 && callWithin (timeoutMilliseconds, [result, call]
                                                   { *result = call(); }))
            return *result;

        giveUp();
        return std::nullopt;
    }

    void giveUp()
    {
        abandoned = true;
        waitForProcessCycle();
    }

    /** The time the next request gets. Once the quit has begun (the message loop has been told
        to stop, or the devices are being destroyed), the requests share what is left of the
        quit's time from the first of them on, so that together they never hold it up for longer.
    */
    int requestTimeout()
    {
        if (quitHasBegun())
            startQuitDeadline();

        if (! quitDeadline.has_value())
            return requestTimeoutMilliseconds;

        const auto left = (int32_t) (*quitDeadline - juce::Time::getMillisecondCounter());
        return juce::jlimit (0, requestTimeoutMilliseconds, (int) left);
    }

    void startQuitDeadline()
    {
        if (! quitDeadline.has_value())
            quitDeadline = juce::Time::getMillisecondCounter() + (uint32_t) quitTimeoutMilliseconds;
    }

    static bool quitHasBegun()
    {
        const auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();
        return messageManager != nullptr && messageManager->hasStopMessageBeenSent();
    }

    /** Takes a port that is out of the flow out of the process callback, and only then
        unregisters it: an unregistered port's number may at once belong to another client's port,
        which the callback must not touch. Before it leaves the callback, the port is disconnected
        and a whole cycle clears it, so that a destination that still reads it (a disconnection
        takes effect at a later cycle) finds it empty. A client given up on the way keeps the port
        there.
    */
    void removePort (OutputSlot& slot)
    {
        auto* port = slot.port.load();
        const auto begun = cyclesBegun.load();

        const auto disconnected = request ([portDisconnect = jack.portDisconnect, owner = client, port]
                                           { return portDisconnect (owner, port); });

        if (! disconnected.has_value())
            return;

        // A refusal comes only from a server that has gone, which runs no more cycles.
        if (*disconnected == 0 && ! waitForProcessCycleAfter (begun))
            return;

        slot.port = nullptr;
        waitForProcessCycle();

        request ([portUnregister = jack.portUnregister, owner = client, port]
                 { return portUnregister (owner, port); });
    }

    /** Waits until a process callback that began after the given count of them has ended, or
        the server has shut the client down. A server that runs no cycle within the time a
        request gets counts as not answering: the client is given up.
    */
    bool waitForProcessCycleAfter (uint64_t begun)
    {
        const auto timeoutMilliseconds = requestTimeout();
        const auto start = juce::Time::getMillisecondCounter();

        while (cyclesEnded.load() <= begun && ! serverGone)
        {
            if ((int) (juce::Time::getMillisecondCounter() - start) >= timeoutMilliseconds)
            {
                giveUp();
                return false;
            }

            std::this_thread::sleep_for (std::chrono::milliseconds (1));
        }

        return true;
    }

    /** Returns once no process callback that may have seen the state before the call is running.
        The callback neither blocks nor waits for the server, so this wait always ends.
    */
    void waitForProcessCycle() const
    {
        if (client == nullptr)
            return;

        const auto begun = cyclesBegun.load();

        while (cyclesEnded.load() < begun)
            std::this_thread::yield();
    }

    void queueBlock (OutputSlot& slot, const juce::MidiBuffer& buffer, double startMilliseconds, double samplesPerSecond)
    {
        if (slot.port == nullptr || abandoned || samplesPerSecond <= 0.0)
            return;

        // Each block is placed in JACK's frame time from one reading of both clocks, so its
        // spacing comes out exact in frames. The framework's counter is 32 bits wide and wraps,
        // while the high-resolution one does not, so the distance is taken modulo 2^32.
        auto nowFrame = jack.frameTime (client);

        // A server catching up after a late cycle can run ahead of the estimate of the current
        // frame; a block must still not be placed in a cycle that may already have run.
        if (cycleStartKnown)
        {
            const auto cycleStart = lastCycleStart.load();

            if ((int32_t) (nowFrame - cycleStart) < 0)
                nowFrame = cycleStart;
        }

        const auto fromNow = std::remainder (startMilliseconds - juce::Time::getMillisecondCounterHiRes(), 4294967296.0);
        const auto framesPerMillisecond = sampleRate / 1000.0;
        const auto delayFrames = jack.getBufferSize (client) + extraDelayMilliseconds * framesPerMillisecond;
        const auto generation = slot.generation.load();

        for (const auto metadata : buffer)
        {
            if (metadata.numBytes <= 0 || metadata.numBytes > 3)
                continue;

            const auto dueMilliseconds = fromNow + metadata.samplePosition * 1000.0 / samplesPerSecond;

            TimedMidiMessage message;
            message.dueFrame = nowFrame + (uint32_t) (int64_t) std::llround (dueMilliseconds * framesPerMillisecond + delayFrames);
            message.generation = generation;
            message.size = (uint8_t) metadata.numBytes;
            std::copy (metadata.data, metadata.data + metadata.numBytes, message.bytes.begin());

            slot.queue.push (message);
        }
    }

    /** Stops the flow and drops what is queued. Like stopping a send thread, this returns only
        when nothing more can go out.
    */
    void stopFlow (OutputSlot& slot)
    {
        slot.flowing = false;
        ++slot.generation;
        waitForProcessCycle();
    }

    /** A given-up client keeps the port, which its process callback goes on clearing. */
    void release (OutputSlot& slot)
    {
        stopFlow (slot);

        if (slot.port != nullptr && ! abandoned)
            removePort (slot);

        slot.queue.clear();
        slot.inUse = false;
    }

    //==============================================================================
    static int processCallback (jack_nframes_t numFrames, void* arg)
    {
        static_cast<Pimpl*> (arg)->process (numFrames);
        return 0;
    }

    static void shutdownCallback (jack_status_t, const char*, void* arg)
    {
        static_cast<Pimpl*> (arg)->serverGone = true;
    }

    /** JACK's process thread: no lock, no allocation. */
    void process (jack_nframes_t numFrames)
    {
        ++cyclesBegun;

        // The cycle's start is only to be read here; the message thread gets it from here.
        const auto cycleStart = jack.lastFrameTime (client);
        lastCycleStart = cycleStart;
        cycleStartKnown = true;

        for (auto& slot : slots)
        {
            auto* port = slot.port.load();

            if (port == nullptr)
                continue;

            auto* buffer = jack.portGetBuffer (port, numFrames);

            if (buffer == nullptr)
                continue;

            jack.midiClearBuffer (buffer);

            if (slot.flowing && ! abandoned)
                writeDueMessages (slot, buffer, numFrames, cycleStart);
        }

        ++cyclesEnded;
    }

    /** Writes the queued messages that fall into this cycle at their frame offsets, in order; one
        already late goes at the start of the cycle, or after the message written before it.
    */
    void writeDueMessages (OutputSlot& slot, void* buffer, jack_nframes_t numFrames, jack_nframes_t cycleStart)
    {
        const auto generation = slot.generation.load();
        int32_t previousOffset = 0;

        while (const auto* message = slot.queue.front())
        {
            if (message->generation != generation)
            {
                slot.queue.pop();
                continue;
            }

            // Frame times wrap around; their distance does not.
            const auto offset = (int32_t) (message->dueFrame - cycleStart);

            if (offset >= (int32_t) numFrames)
                break;

            const auto placed = juce::jlimit (previousOffset, (int32_t) numFrames - 1, offset);
            jack.midiEventWrite (buffer, (jack_nframes_t) placed, message->bytes.data(), message->size);
            previousOffset = placed;
            slot.queue.pop();
        }
    }

    //==============================================================================
    JackLibrary jack;
    const int requestTimeoutMilliseconds;
    jack_client_t* client = nullptr;
    juce::String ownClientName;
    double sampleRate = 0.0;
    std::atomic<bool> serverGone { false };
    std::atomic<bool> abandoned { false };
    std::optional<uint32_t> quitDeadline;
    bool waitsForNextLook;
    std::shared_ptr<ServerLook> look;
    uint32_t lastLookStart = 0;
    std::atomic<uint64_t> cyclesBegun { 0 };
    std::atomic<uint64_t> cyclesEnded { 0 };
    std::atomic<jack_nframes_t> lastCycleStart { 0 };
    std::atomic<bool> cycleStartKnown { false };
    std::array<OutputSlot, maxOutputs> slots;

    // Without the leak detector, as the classes of its members: a given-up instance is kept on
    // purpose until the process ends. The devices and their connections have one.
    JUCE_DECLARE_NON_COPYABLE (Pimpl)
};

//==============================================================================
namespace
{
    /** The server's threads may still call into a given-up client's callbacks, and a request that
        never came back may still use the client: its state is kept for the rest of the process.
    */
    template <typename State>
    void keepForTheServer (std::unique_ptr<State> state)
    {
        static auto* const kept = new std::vector<std::unique_ptr<State>>();
        kept->push_back (std::move (state));
    }
} // namespace

JackMidiOutputDevices::JackMidiOutputDevices (int requestTimeoutMillisecondsToUse)
    : requestTimeoutMilliseconds (requestTimeoutMillisecondsToUse), pimpl (std::make_unique<Pimpl> (requestTimeoutMilliseconds, true))
{
}

JackMidiOutputDevices::~JackMidiOutputDevices()
{
    pimpl->shutDown();

    if (pimpl->isAbandoned())
        keepForTheServer (std::move (pimpl));
}

JackMidiOutputDevices::Pimpl& JackMidiOutputDevices::current()
{
    // Its connections still refer to a given-up client's state; the next client gets a new one.
    if (pimpl->isAbandoned())
    {
        keepForTheServer (std::move (pimpl));
        pimpl = std::make_unique<Pimpl> (requestTimeoutMilliseconds, false);
    }

    return *pimpl;
}

juce::Array<juce::MidiDeviceInfo> JackMidiOutputDevices::getAvailableDevices()
{
    return current().getAvailableDevices();
}

std::unique_ptr<MidiOutputConnection> JackMidiOutputDevices::openDevice (const juce::String& identifier)
{
    return current().openDevice (identifier);
}
