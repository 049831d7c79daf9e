#include "engine/LtcSender.h"
#include "support/FakeAudioDevice.h"

#include <benchmark/benchmark.h>
#include <ltc.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <vector>

namespace
{
    constexpr int sampleRate = 48000;
    constexpr int frameRate = 30;
    constexpr int blockSize = 512;

    // One second of LTC from the sender's block callback, in blocks as a device would ask.
    void ltcSenderOneSecond (benchmark::State& state)
    {
        LtcSender sender;
        FakeAudioDevice device (sampleRate);
        sender.audioDeviceAboutToStart (&device);
        sender.frameRate = frameRate;
        sender.isRunning = true;

        std::vector<float> left (blockSize), right (blockSize);
        float* channels[] = {left.data(), right.data()};
        const juce::AudioIODeviceCallbackContext context;

        for (auto _ : state)
        {
            for (int done = 0; done < sampleRate; done += blockSize)
            {
                sender.audioDeviceIOCallbackWithContext (nullptr, 0, channels, 2, std::min (blockSize, sampleRate - done), context);
                benchmark::DoNotOptimize (left.data());
            }

            benchmark::ClobberMemory();
        }
    }

    // The same second from libltc's encoder, converted to float samples as the callback writes them.
    void libltcEncoderOneSecond (benchmark::State& state)
    {
        auto* encoder = ltc_encoder_create (sampleRate, frameRate, LTC_TV_525_60, 0);
        SMPTETimecode start{};
        ltc_encoder_set_timecode (encoder, &start);

        std::vector<ltcsnd_sample_t> frame (ltc_encoder_get_buffersize (encoder));
        std::vector<float> second (sampleRate);

        for (auto _ : state)
        {
            size_t written = 0;

            for (int f = 0; f < frameRate; ++f)
            {
                ltc_encoder_encode_frame (encoder);
                const auto length = (size_t) ltc_encoder_copy_buffer (encoder, frame.data());
                ltc_encoder_inc_timecode (encoder);

                for (size_t i = 0; i < length && written < second.size(); ++i)
                    second[written++] = (frame[i] - 128) / 255.0f;
            }

            benchmark::DoNotOptimize (second.data());
            benchmark::ClobberMemory();
        }

        ltc_encoder_free (encoder);
    }

    /** Prints the runs as usual and keeps the CPU time per iteration of each repetition. CPU
        time rather than wall time, because on a loaded machine the wall time also counts the
        time the benchmark waited for a core.
    */
    class RecordingReporter : public benchmark::ConsoleReporter
    {
    public:
        void ReportRuns (const std::vector<Run>& runs) override
        {
            for (const auto& run : runs)
                if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                    microsecondsPerIteration[run.run_name.function_name].push_back (run.cpu_accumulated_time * 1.0e6 / (double) run.iterations);

            ConsoleReporter::ReportRuns (runs);
        }

        /** The median over the repetitions of one benchmark, or nothing when it did not run. */
        std::optional<double> median (const std::string& name) const
        {
            const auto found = microsecondsPerIteration.find (name);

            if (found == microsecondsPerIteration.end())
                return {};

            auto times = found->second;
            std::sort (times.begin(), times.end());
            const auto middle = times.size() / 2;
            return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2.0;
        }

    private:
        std::map<std::string, std::vector<double>> microsecondsPerIteration;
    };
} // namespace

BENCHMARK (ltcSenderOneSecond)->Unit (benchmark::kMicrosecond)->Repetitions (5);
BENCHMARK (libltcEncoderOneSecond)->Unit (benchmark::kMicrosecond)->Repetitions (5);

int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);

    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    benchmark::Shutdown();

    const auto sender = reporter.median ("ltcSenderOneSecond");
    const auto libltc = reporter.median ("libltcEncoderOneSecond");

    if (sender && libltc)
        std::cout << "\nOne second at " << sampleRate << " Hz and " << frameRate << " fps, median CPU time: LtcSender "
                  << *sender << " us, libltc " << *libltc << " us, LtcSender / libltc = " << *sender / *libltc << "\n";

    return 0;
}
