#include "engine/TimedMidiQueue.h"

#include <gtest/gtest.h>

namespace
{
    TimedMidiMessage messageDueAt (uint32_t frame)
    {
        TimedMidiMessage message;
        message.dueFrame = frame;
        message.size = 2;
        message.bytes = { 0xf1, (uint8_t) (frame & 0x7f) };
        return message;
    }
} // namespace

TEST (TimedMidiQueue, KeepsOrderAcrossWrapAndDropsWhatDoesNotFit)
{
    TimedMidiQueue queue;
    EXPECT_EQ (queue.front(), nullptr);

    // Go round the storage more than once, so reading and writing both wrap.
    uint32_t written = 0, read = 0;
    for (int round = 0; round < 3; ++round)
    {
        for (int i = 0; i < TimedMidiQueue::capacity / 2 + 7; ++i)
            ASSERT_TRUE (queue.push (messageDueAt (written++)));

        while (const auto* message = queue.front())
        {
            ASSERT_EQ (message->dueFrame, read);
            EXPECT_EQ (message->bytes[1], read & 0x7f);
            ++read;
            queue.pop();
        }
    }
    EXPECT_EQ (read, written);

    // A full queue refuses further messages and keeps those it holds intact.
    for (int i = 0; i < TimedMidiQueue::capacity - 1; ++i)
        ASSERT_TRUE (queue.push (messageDueAt ((uint32_t) i)));
    EXPECT_FALSE (queue.push (messageDueAt (9999)));
    EXPECT_EQ (queue.front()->dueFrame, 0u);

    queue.clear();
    EXPECT_EQ (queue.front(), nullptr);
    EXPECT_TRUE (queue.push (messageDueAt (5)));
}
