#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstdint>

/** A short MIDI message (at most three bytes) with the JACK frame time at which it is due. */
struct TimedMidiMessage
{
    uint32_t dueFrame = 0;
    uint32_t generation = 0;
    uint8_t size = 0;
    std::array<uint8_t, 3> bytes {};
};

/** A fixed-capacity queue of timed MIDI messages from one producer thread to one consumer
    thread. It takes no lock and allocates nothing after construction, so a real-time thread
    can be the consumer.
*/
class TimedMidiQueue
{
public:
    /** The storage size; one place always stays free, so capacity - 1 messages fit. */
    static constexpr int capacity = 512;

    TimedMidiQueue() = default;

    /** Producer side: appends a message, or returns false and drops it when the queue is full. */
    bool push (const TimedMidiMessage& message) noexcept;

    /** Consumer side: the oldest message, or nullptr when the queue is empty. */
    const TimedMidiMessage* front() const noexcept;

    /** Consumer side: removes the oldest message. */
    void pop() noexcept;

    /** Empties the queue; only while neither the producer nor the consumer uses it. */
    void clear() noexcept;

private:
    // The producer writes only writeIndex, the consumer only readIndex; each publishes its
    // messages or free places to the other with release and acquire.
    std::atomic<int> readIndex { 0 };
    std::atomic<int> writeIndex { 0 };
    std::array<TimedMidiMessage, capacity> messages;

    // Without the leak detector, nor a member with one: part of a given-up JACK client's state,
    // which is kept on purpose until the process ends.
    JUCE_DECLARE_NON_COPYABLE (TimedMidiQueue)
};
