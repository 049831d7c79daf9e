#include "engine/LtcFrame.h"
#include "engine/LtcSender.h"
#include "support/AllocationCounter.h"
#include "support/FakeAudioDevice.h"
#include "support/LtcDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

namespace
{
    // Output buffers start out holding this, so that a sample the sender leaves alone shows.
    constexpr float garbage = 7.0f;

    void startSender (LtcSender& sender, double sampleRate, int frameRate, int32_t counter)
    {
        FakeAudioDevice device (sampleRate);
        sender.audioDeviceAboutToStart (&device);
        sender.frameRate = frameRate;
        sender.frameCounter = counter;
        sender.isRunning = true;
    }

    int countNonZero (const std::vector<float>& samples)
    {
        return (int) std::count_if (samples.begin(), samples.end(), [] (float s)
                                    { return s != 0.0f; });
    }

    /** Calls the sender as an audio device with the given number of output channels would. */
    class BlockDriver
    {
    public:
        explicit BlockDriver (LtcSender& s, int numChannels = 2)
            : sender (s)
            , channels ((size_t) numChannels)
        {
        }

        /** One block; the channel numbered nullChannel gets a null pointer. */
        const std::vector<std::vector<float>>& block (int numSamples, int nullChannel = -1)
        {
            std::vector<float*> pointers;

            for (size_t c = 0; c < channels.size(); ++c)
            {
                channels[c].assign ((size_t) std::max (numSamples, 0), garbage);
                pointers.push_back ((int) c == nullChannel ? nullptr : channels[c].data());
            }

            // A channel just past the end, which the sender must not touch.
            std::vector<float> beyond ((size_t) std::max (numSamples, 0), garbage);
            pointers.push_back (beyond.data());

            const juce::AudioIODeviceCallbackContext context;
            sender.audioDeviceIOCallbackWithContext (nullptr, 0, pointers.data(), (int) channels.size(), numSamples, context);

            EXPECT_EQ (std::count (beyond.begin(), beyond.end(), garbage), (long) beyond.size());
            return channels;
        }

        /** numSamples in blocks of the given sizes in turn; returns the LTC channel and expects
            every other channel to be silent.
        */
        std::vector<float> render (int numSamples, std::initializer_list<int> blockSizes = {512})
        {
            std::vector<float> ltc;
            const auto ltcChannel = (size_t) sender.outputChannel.load();
            auto blockSize = blockSizes.begin();

            while ((int) ltc.size() < numSamples)
            {
                const auto& out = block (std::min (*blockSize, numSamples - (int) ltc.size()));

                for (size_t c = 0; c < out.size(); ++c)
                    if (c != ltcChannel)
                        EXPECT_EQ (countNonZero (out[c]), 0) << "channel " << c;

                ltc.insert (ltc.end(), out[ltcChannel].begin(), out[ltcChannel].end());

                if (++blockSize == blockSizes.end())
                    blockSize = blockSizes.begin();
            }

            return ltc;
        }

        /** Renders sample by sample and notes the sample at which each frame number was taken. */
        std::vector<float> renderNotingFrames (int numSamples, std::vector<std::pair<int32_t, int>>& framesTaken)
        {
            std::vector<float> ltc;

            for (int i = 0; i < numSamples; ++i)
            {
                const auto before = sender.frameCounter.load();
                ltc.push_back (render (1)[0]);

                if (sender.frameCounter.load() != before)
                    framesTaken.emplace_back (sender.frameCounter.load(), i);
            }

            return ltc;
        }

    private:
        LtcSender& sender;
        std::vector<std::vector<float>> channels;
    };

    std::vector<int> expectedBits (std::initializer_list<int> onesAt)
    {
        std::vector<int> bits (80, 0);

        for (int bit = 66; bit <= 77; ++bit)
            bits[(size_t) bit] = 1;

        bits[79] = 1;

        for (auto bit : onesAt)
            bits[(size_t) bit] = 1;

        return bits;
    }

    LtcFrameBits bitsFor (int hours, int minutes, int seconds, int frames)
    {
        auto bits = makeLtcFrameTemplate();
        writeTimecodeBits (bits, {frames, seconds, minutes, hours}, makeBcdDigits());
        return bits;
    }
} // namespace

//==============================================================================
TEST (LtcFrame, LengthsSpreadAFractionalFrameOverTheSecond)
{
    int total = 0;

    for (int f = 0; f < 24; ++f)
    {
        EXPECT_EQ (ltcFrameLength (44100.0, 24, f), f % 2 == 0 ? 1837 : 1838) << f;
        total += ltcFrameLength (44100.0, 24, f);
    }

    EXPECT_EQ (total, 44100);

    const int quarterPattern[] = {918, 919, 919, 918};
    total = 0;

    for (int f = 0; f < 24; ++f)
    {
        EXPECT_EQ (ltcFrameLength (22050.0, 24, f), quarterPattern[f % 4]) << f;
        total += ltcFrameLength (22050.0, 24, f);
    }

    EXPECT_EQ (total, 22044);

    for (int f = 0; f < 30; ++f)
    {
        EXPECT_EQ (ltcFrameLength (44100.0, 25, f % 25), 1764);
        EXPECT_EQ (ltcFrameLength (44100.0, 30, f), 1470);
        EXPECT_EQ (ltcFrameLength (48000.0, 24, f % 24), 2000);
        EXPECT_EQ (ltcFrameLength (48000.0, 25, f % 25), 1920);
        EXPECT_EQ (ltcFrameLength (48000.0, 30, f), 1600);
        EXPECT_EQ (ltcFrameLength (96000.0, 24, f % 24), 4000);
        EXPECT_EQ (ltcFrameLength (96000.0, 25, f % 25), 3840);
        EXPECT_EQ (ltcFrameLength (96000.0, 30, f), 3200);
    }

    // The queue is sized by the longest frame, so no frame at any rate may exceed it.
    for (const auto sampleRate : {8000.0, 11025.0, 22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0})
    {
        int longest = 0;

        for (const auto rate : {24, 25, 30})
            for (int f = 0; f < rate; ++f)
                longest = std::max (longest, ltcFrameLength (sampleRate, rate, f));

        EXPECT_GE (longestLtcFrameLength (sampleRate), longest) << sampleRate;
    }
}

TEST (LtcFrame, HalfBitStartsMatchTheStepOfEverySample)
{
    // Every frame length up to the longest at 192 kHz, against the half-bit of each sample.
    for (int length = 1; length <= longestLtcFrameLength (192000.0); ++length)
    {
        const auto starts = ltcHalfBitStarts (length);
        const auto step = ltcHalfBitsPerFrame / (double) length;
        std::vector<int> fromStarts, fromStep;

        for (int halfBit = 0; halfBit < ltcHalfBitsPerFrame; ++halfBit)
            fromStarts.insert (fromStarts.end(), (size_t) std::max (0, starts[(size_t) halfBit + 1] - starts[(size_t) halfBit]), halfBit);

        for (int k = 0; k < length; ++k)
            fromStep.push_back ((int) (k * step));

        if (fromStarts != fromStep)
        {
            ADD_FAILURE() << "length " << length;
            break;
        }
    }
}

TEST (LtcFrame, TimeFieldsAreBcdLeastSignificantBitFirst)
{
    const auto template_ = makeLtcFrameTemplate();
    const auto templateBits = std::vector<int> (template_.begin(), template_.end());
    EXPECT_EQ (templateBits, expectedBits ({}));

    // 01:02:03:04: frames units 4, seconds units 3, minutes units 2, hours units 1.
    const auto mixed = bitsFor (1, 2, 3, 4);
    EXPECT_EQ (std::vector<int> (mixed.begin(), mixed.end()), expectedBits ({2, 16, 17, 33, 48}));

    // 23:59:59:29: every tens field at its widest and the units at 9, 9, 9 and 3.
    const auto last = bitsFor (23, 59, 59, 29);
    EXPECT_EQ (std::vector<int> (last.begin(), last.end()),
               expectedBits ({0, 3, 9, 16, 19, 24, 26, 32, 35, 40, 42, 48, 49, 57}));

    // The bits of a frame are reused for the next one: nothing of the earlier fields may remain.
    auto reused = last;
    writeTimecodeBits (reused, {}, makeBcdDigits());
    EXPECT_EQ (reused, template_);
}

TEST (LtcFrame, BiphaseMarkCodingChangesLevelAtEveryBitAndInTheMiddleOfOnes)
{
    LtcHalfBitLevels levels{};

    // All time bits 0: the first 128 half-bits come in equal pairs of alternating level.
    const auto zeroLast = biphaseMarkCode (makeLtcFrameTemplate(), -1, levels);

    for (size_t bit = 0; bit < 64; ++bit)
    {
        EXPECT_EQ (levels[2 * bit], bit % 2 == 0 ? 1 : -1) << bit;
        EXPECT_EQ (levels[2 * bit + 1], levels[2 * bit]) << bit;
    }

    EXPECT_EQ (zeroLast, levels[159]);

    for (const auto lastLevel : {-1, 1})
    {
        const auto bits = bitsFor (23, 59, 59, 29);
        const auto returned = biphaseMarkCode (bits, lastLevel, levels);
        auto previous = lastLevel;

        for (size_t bit = 0; bit < 80; ++bit)
        {
            EXPECT_EQ (levels[2 * bit], -previous) << bit;
            EXPECT_EQ (levels[2 * bit + 1], bits[bit] == 1 ? previous : -previous) << bit;
            previous = levels[2 * bit + 1];
        }

        EXPECT_EQ (returned, previous);
    }
}

//==============================================================================
TEST (LtcSender, DecodesContiguousFramesAtEveryRateAndBlockSize)
{
    for (const auto sampleRate : {44100, 48000, 96000})
    {
        for (const auto rate : {24, 25, 30})
        {
            SCOPED_TRACE (testing::Message() << sampleRate << " Hz, " << rate << " fps");

            // Starts just before an hour, so that every field rolls over.
            const auto firstCounter = 3600 * rate - 3;
            LtcSender sender;
            startSender (sender, sampleRate, rate, firstCounter);
            BlockDriver driver (sender);

            const auto numSamples = sampleRate * 3 / 2;
            const auto samplesPerFrame = sampleRate / rate;
            const auto frames = decodeLtc (driver.render (numSamples, {64, 441, 512, 1000}), samplesPerFrame);

            ASSERT_GE ((int) frames.size(), numSamples / samplesPerFrame - 1);

            for (size_t i = 0; i < frames.size(); ++i)
                EXPECT_EQ (frames[i].frameNumber (rate), firstCounter + 1 + (int) i) << i;

            EXPECT_EQ (frames.front().hours, 0);
            EXPECT_EQ (frames.back().hours, 1);
        }
    }
}

TEST (LtcSender, FramesFollowBackToBackWithTheirLengths)
{
    struct Case
    {
        double sampleRate;
        int rate;
    };

    for (const auto [sampleRate, rate] : {Case{44100.0, 24}, Case{22050.0, 24}, Case{48000.0, 25}})
    {
        SCOPED_TRACE (testing::Message() << sampleRate << " Hz, " << rate << " fps");

        LtcSender sender;
        startSender (sender, sampleRate, rate, 9);
        BlockDriver driver (sender);

        std::vector<std::pair<int32_t, int>> framesTaken;
        driver.renderNotingFrames ((int) sampleRate, framesTaken);

        // Each frame is taken as the one before it has just enough queued, so the distance
        // between two takes is the earlier frame's length.
        ASSERT_GT (framesTaken.size(), 20u);

        for (size_t i = 1; i + 1 < framesTaken.size(); ++i)
        {
            const auto [frame, takenAt] = framesTaken[i];
            EXPECT_EQ (frame, 10 + (int) i);
            EXPECT_EQ (framesTaken[i + 1].second - takenAt, ltcFrameLength (sampleRate, rate, frame % rate)) << frame;
        }
    }
}

TEST (LtcSender, HalfBitsSpanWholeSamplesWhenTheFrameDividesEvenly)
{
    // 1600 samples per frame at 48000 Hz and 30 fps: ten samples per half-bit, and a change of
    // level at every bit, also from one frame to the next, so every run is 10 or 20 long.
    LtcSender sender;
    startSender (sender, 48000.0, 30, 0);
    BlockDriver driver (sender);
    const auto ltc = driver.render (48000, {441});

    size_t runStart = 0;

    for (size_t i = 1; i <= ltc.size(); ++i)
    {
        if (i < ltc.size() && ltc[i] == ltc[runStart])
            continue;

        EXPECT_TRUE (std::abs (ltc[runStart]) == 0.5f) << runStart;

        if (i < ltc.size())
            EXPECT_TRUE (i - runStart == 10 || i - runStart == 20) << "run of " << i - runStart << " at " << runStart;

        runStart = i;
    }
}

TEST (LtcSender, BitLayoutsReachTheOutputAndTheHoursWrap)
{
    {
        LtcSender sender;
        startSender (sender, 48000.0, 25, 93079 - 1);
        BlockDriver driver (sender);
        const auto frames = decodeLtc (driver.render (2 * 1920 + 100), 1920);

        ASSERT_FALSE (frames.empty());
        EXPECT_EQ (frames[0].frameNumber (25), 93079);
        EXPECT_EQ (frames[0].bits, expectedBits ({2, 16, 17, 33, 48}));
    }

    {
        LtcSender sender;
        startSender (sender, 44100.0, 30, 24 * 3600 * 30 - 2);
        BlockDriver driver (sender);
        const auto frames = decodeLtc (driver.render (4 * 1470), 1470);

        ASSERT_GE (frames.size(), 3u);
        EXPECT_EQ (frames[0].hours, 23);
        EXPECT_EQ (frames[0].minutes, 59);
        EXPECT_EQ (frames[0].seconds, 59);
        EXPECT_EQ (frames[0].frames, 29);
        EXPECT_EQ (frames[0].bits, expectedBits ({0, 3, 9, 16, 19, 24, 26, 32, 35, 40, 42, 48, 49, 57}));
        EXPECT_EQ (frames[1].frameNumber (30), 0);
        EXPECT_EQ (frames[1].bits, expectedBits ({}));
        EXPECT_EQ (frames[2].frameNumber (30), 1);
    }
}

TEST (LtcSender, StoredCounterShowsAtTheNextFrameBuilt)
{
    LtcSender sender;
    startSender (sender, 48000.0, 25, 100);
    BlockDriver driver (sender);

    auto ltc = driver.render (5000, {441});
    const auto lastBuilt = sender.frameCounter.load();
    sender.frameCounter = 5000;
    const auto after = driver.render (8000, {441});
    ltc.insert (ltc.end(), after.begin(), after.end());

    std::vector<int> numbers;

    for (const auto& frame : decodeLtc (ltc, 1920))
        numbers.push_back (frame.frameNumber (25));

    std::vector<int> expected (size_t (lastBuilt - 100), 0);
    std::iota (expected.begin(), expected.end(), 101);

    for (int n = 5001; expected.size() < numbers.size(); ++n)
        expected.push_back (n);

    EXPECT_EQ (numbers, expected);
}

TEST (LtcSender, PauseDropsQueuedLevelsAndResumesWithTheNextFrame)
{
    // A sender that never pauses shows what the frame after the pause must look like.
    LtcSender reference;
    startSender (reference, 44100.0, 24, 0);
    BlockDriver referenceDriver (reference);
    std::vector<std::pair<int32_t, int>> framesTaken;
    const auto continuous = referenceDriver.renderNotingFrames (20000, framesTaken);

    LtcSender sender;
    startSender (sender, 44100.0, 24, 0);
    BlockDriver driver (sender);
    driver.render (3000, {441});
    const auto lastBuilt = sender.frameCounter.load();

    sender.isRunning = false;
    EXPECT_EQ (countNonZero (driver.render (512)), 0);
    EXPECT_EQ (sender.frameCounter.load(), lastBuilt);

    // With the queue emptied, the very first sample after resuming takes the next frame.
    sender.isRunning = true;
    auto resumed = driver.render (1);
    EXPECT_EQ (sender.frameCounter.load(), lastBuilt + 1);

    const auto rest = driver.render (3000, {441});
    resumed.insert (resumed.end(), rest.begin(), rest.end());

    const auto next = std::find_if (framesTaken.begin(), framesTaken.end(), [&] (auto taken)
                                    { return taken.first == lastBuilt + 1; });
    ASSERT_NE (next, framesTaken.end());

    // In steady running a frame is taken with 249 levels of the one before still to play.
    const auto length = (size_t) ltcFrameLength (44100.0, 24, (lastBuilt + 1) % 24);
    const auto nextStart = continuous.begin() + next->second + 249;
    EXPECT_EQ (std::vector<float> (resumed.begin(), resumed.begin() + (long) length),
               std::vector<float> (nextStart, nextStart + (long) length));
}

TEST (LtcSender, NegativeCounterClimbsOneStepPerSilentSample)
{
    LtcSender sender;
    startSender (sender, 48000.0, 30, -5);
    BlockDriver driver (sender);
    std::vector<float> ltc;

    for (int expected = -4; expected <= 0; ++expected)
    {
        ltc.push_back (driver.render (1)[0]);
        EXPECT_EQ (sender.frameCounter.load(), expected);
    }

    EXPECT_EQ (ltc, (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f, 0.5f}));

    const auto rest = driver.render (2 * 1600);
    ltc.insert (ltc.end(), rest.begin(), rest.end());
    const auto frames = decodeLtc (ltc, 1600);

    ASSERT_FALSE (frames.empty());
    EXPECT_EQ (frames[0].frameNumber (30), 0);
}

TEST (LtcSender, UnusableChannelsAndBlocksLeaveEverythingSilentAndUntouched)
{
    LtcSender reference;
    startSender (reference, 48000.0, 25, 7);
    BlockDriver referenceDriver (reference);
    const auto continuous = referenceDriver.render (6000, {500});

    LtcSender sender;
    startSender (sender, 48000.0, 25, 7);
    BlockDriver driver (sender);
    auto ltc = driver.render (2500, {500});
    const auto counter = sender.frameCounter.load();

    const auto expectAllSilent = [&] (const std::vector<std::vector<float>>& channels, int nullChannel = -1)
    {
        for (size_t c = 0; c < channels.size(); ++c)
            if ((int) c != nullChannel)
                EXPECT_EQ (countNonZero (channels[c]), 0) << "channel " << c;

        EXPECT_EQ (sender.frameCounter.load(), counter);
    };

    for (const auto channel : {2, -1, 1000})
    {
        sender.outputChannel = channel;
        expectAllSilent (driver.block (512));
    }

    sender.outputChannel = 0;
    expectAllSilent (driver.block (512, 0), 0);
    expectAllSilent (driver.block (0));
    expectAllSilent (driver.block (-1));
    expectAllSilent (BlockDriver (sender, 0).block (512));

    const juce::AudioIODeviceCallbackContext context;
    sender.audioDeviceIOCallbackWithContext (nullptr, 0, nullptr, 2, 512, context);
    EXPECT_EQ (sender.frameCounter.load(), counter);

    // The sender carries on exactly where it stopped.
    const auto rest = driver.render (3500, {500});
    ltc.insert (ltc.end(), rest.begin(), rest.end());
    EXPECT_EQ (ltc, continuous);
}

TEST (LtcSender, WritesAnyChannelAndToleratesMissingOnes)
{
    LtcSender sender;
    startSender (sender, 48000.0, 30, 0);
    sender.outputChannel = 3;
    BlockDriver driver (sender, 4);

    const auto& out = driver.block (4000, 1);
    EXPECT_EQ (countNonZero (out[0]), 0);
    EXPECT_EQ (countNonZero (out[2]), 0);
    EXPECT_EQ (countNonZero (out[3]), 4000);
    EXPECT_EQ (decodeLtc (out[3], 1600).front().frameNumber (30), 1);
}

TEST (LtcSender, StaysSilentUntilTheDeviceGivesASampleRate)
{
    LtcSender sender;
    sender.frameCounter = 41;
    sender.isRunning = true;
    BlockDriver driver (sender);

    EXPECT_EQ (countNonZero (driver.render (2048)), 0);
    EXPECT_EQ (sender.frameCounter.load(), 41);

    FakeAudioDevice noRate (0.0);
    sender.audioDeviceAboutToStart (&noRate);
    EXPECT_EQ (countNonZero (driver.render (2048)), 0);
    EXPECT_EQ (sender.frameCounter.load(), 41);

    // Then the frame after the counter, starting with a high half-bit from the constructed state.
    FakeAudioDevice device (48000.0);
    sender.audioDeviceAboutToStart (&device);
    EXPECT_EQ (driver.render (1), std::vector<float>{0.5f});
    EXPECT_EQ (sender.frameCounter.load(), 42);
}

TEST (LtcSender, DeviceRestartsKeepTheQueuedLevels)
{
    LtcSender reference;
    startSender (reference, 44100.0, 24, 0);
    const auto continuous = BlockDriver (reference).render (10000, {333});

    // A restart at a higher rate regrows the queue, at a lower one keeps it; either way the
    // levels already queued play on in order.
    for (const auto newRate : {96000.0, 22050.0})
    {
        LtcSender sender;
        startSender (sender, 44100.0, 24, 0);
        BlockDriver driver (sender);
        auto ltc = driver.render (9000, {333});

        FakeAudioDevice restarted (newRate);
        sender.audioDeviceAboutToStart (&restarted);
        const auto rest = driver.render (249, {333});
        ltc.insert (ltc.end(), rest.begin(), rest.end());

        EXPECT_EQ (ltc, std::vector<float> (continuous.begin(), continuous.begin() + (long) ltc.size())) << newRate;
    }
}

TEST (LtcSender, CounterAtTheLimitWrapsWithoutOverflow)
{
    constexpr auto maximum = std::numeric_limits<int32_t>::max();
    constexpr auto frameLength = 1600;

    LtcSender sender;
    startSender (sender, 48000.0, 30, maximum - 3);
    BlockDriver driver (sender);
    const auto ltc = driver.render (6 * frameLength);

    const auto frames = decodeLtc (ltc, frameLength);
    ASSERT_GE (frames.size(), 2u);
    EXPECT_EQ (frames[0].frameNumber (30), (maximum - 2) % (24 * 3600 * 30));
    EXPECT_EQ (frames[1].frameNumber (30), (maximum - 1) % (24 * 3600 * 30));

    // Frames up to the limit play in full; the counter then turns negative and climbs by one
    // per sample with nothing to play, from the sample at which 249 levels of the last were left.
    EXPECT_EQ (countNonZero (ltc), 3 * frameLength);
    const auto wrappedAt = 3 * frameLength - 249;
    EXPECT_EQ (sender.frameCounter.load(), std::numeric_limits<int32_t>::min() + (6 * frameLength - wrappedAt - 1));
}

TEST (LtcSender, OutputMatchesTheRecordedReferenceSampleForSample)
{
    // Every sample is exactly +0.5, -0.5 or 0, so the output is compared as a string of those
    // three levels (FNV-1a over it), which no compiler's rounding can change.
    const auto checksum = [] (const std::vector<float>& samples)
    {
        uint64_t hash = 14695981039346656037u;

        for (const auto sample : samples)
        {
            EXPECT_TRUE (sample == 0.5f || sample == -0.5f || sample == 0.0f) << sample;
            const uint64_t level = sample > 0.0f ? 1 : (sample < 0.0f ? 2 : 3);
            hash = (hash ^ level) * 1099511628211u;
        }

        return hash;
    };

    // Per sample rate, one checksum for each stretch below.
    const std::pair<int, std::vector<uint64_t>> references[] = {
        { 44100, { 2446724595782740852u, 5649896830306221567u, 13672536944372095708u, 10423097539125449436u } },
        { 48000, { 3397130867486884929u, 2337164786835985953u, 2393705665159813543u, 9233642058540301102u } },
        { 96000, { 13116449488854959901u, 880008371589559261u, 10750604710438091977u, 13039129297563610547u } },
    };

    for (const auto& [sampleRate, expected] : references)
    {
        SCOPED_TRACE (testing::Message() << sampleRate << " Hz");

        LtcSender sender;
        startSender (sender, sampleRate, 25, 3600 * 25 - 10);
        BlockDriver driver (sender);
        std::vector<uint64_t> sums;

        // Running across an hour, then a pause that drops the queue mid-frame.
        sums.push_back (checksum (driver.render (sampleRate, { 64, 441, 512, 1000 })));
        sender.isRunning = false;
        auto stretch = driver.render (sampleRate / 4, { 300 });

        // Back to an earlier frame and on again.
        sender.frameCounter = 3600 * 25 - 30;
        sender.isRunning = true;
        const auto back = driver.render (sampleRate, { 333 });
        stretch.insert (stretch.end(), back.begin(), back.end());
        sums.push_back (checksum (stretch));

        // A jump to just before midnight at another rate, with blocks down to a single sample.
        sender.frameRate = 24;
        sender.frameCounter = 24 * 3600 * 24 - 12;
        sums.push_back (checksum (driver.render (sampleRate * 3 / 2, { 1, 127, 512 })));

        // A jump below zero at 30 fps: silence while the counter climbs, then frame 0 on.
        sender.frameRate = 30;
        sender.frameCounter = -100;
        sums.push_back (checksum (driver.render (sampleRate, { 256 })));

        EXPECT_EQ (sums, expected);
    }
}

TEST (LtcSender, BlockCallbackAllocatesNothing)
{
    LtcSender sender;
    startSender (sender, 96000.0, 24, 0);

    std::vector<float> left (512), right (512);
    float* channels[] = {left.data(), right.data()};
    const juce::AudioIODeviceCallbackContext context;

    // Frame rate changes, pauses and a negative counter along the way.
    ScopedAllocationCounter allocations;

    for (int block = 0; block < 2000; ++block)
    {
        if (block == 500)
            sender.frameRate = 30;

        if (block == 1000)
            sender.isRunning = false;

        if (block == 1100)
        {
            sender.frameCounter = -300;
            sender.isRunning = true;
        }

        sender.audioDeviceIOCallbackWithContext (nullptr, 0, channels, 2, 512, context);
    }

    const auto inCallbacks = allocations.getCount();

    // The counter itself must see allocations, or the check proves nothing.
    auto probe = std::make_unique<int> (1);
    const auto withProbe = allocations.getCount();

    EXPECT_EQ (inCallbacks, 0);
    EXPECT_EQ (withProbe, 1);
    EXPECT_GT (sender.frameCounter.load(), 100);
}
