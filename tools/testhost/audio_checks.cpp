// The checks of the audio path: noise at every sample rate and block size
// through both paths, parameter changes between short slices, and
// automation from a second thread while audio runs.
#include <atomic>
#include <thread>

#include "validator_checks.h"

namespace {

const float kSampleRates[] = {44100.0f, 48000.0f, 96000.0f};
const VstInt32 kBlockSizes[] = {1, 64, 512, 1024, 4096};
// Two blocks of the largest size: every run crosses a block boundary. The
// silence after the noise is where decaying values turn subnormal.
constexpr VstInt32 kNoiseFrames = 8192;
constexpr VstInt32 kSilentFrames = 4096;

constexpr VstInt32 kSliceFrames = 32;
constexpr VstInt32 kAutomationBlockFrames = 512;
constexpr int kAutomationBlocks = 200;

constexpr VstInt32 kThreadBlockFrames = 256;
constexpr int kThreadBlocks = 400;
// The second thread stops with the audio, or after this many changes.
constexpr int kMaxThreadAutomationCalls = 1000000;
constexpr std::size_t kDisplayBytes = 64;

template <class Sample> void checkAudio(ValidatorContext& context, CheckReport& report, const char* name)
{
    RandomSource random = context.randomFor(name);
    SampleCensus census;
    int runs = 0;
    bool untouched = true;
    for (float rate : kSampleRates) {
        for (VstInt32 blockSize : kBlockSizes) {
            std::unique_ptr<PluginHost> host = startedInstance(context, report, rate, blockSize);
            if (!host)
                return;
            if constexpr (std::is_same_v<Sample, double>) {
                if (!(host->effect()->flags & effFlagsCanDoubleReplacing)) {
                    report.figures << "no 64-bit path declared";
                    return;
                }
            }
            randomiseParameters(*host, random);
            AudioBlock<Sample> audio(channelsOf(*host->effect()), static_cast<std::size_t>(blockSize));
            for (VstInt32 done = 0; done < kNoiseFrames + kSilentFrames; done += blockSize) {
                if (done < kNoiseFrames)
                    audio.fillNoise(random);
                else
                    audio.fillSilence();
                if ((done / blockSize) % 2 == 1)
                    audio.processInPlace(*host, blockSize, census);
                else
                    audio.process(*host, blockSize, census);
            }
            untouched = untouched && audio.processLeavesOutputsUntouched(*host, 0)
                && audio.processLeavesOutputsUntouched(*host, -1);
            host->suspend();
            ++runs;
        }
    }
    report.expect(census.finite(), "output not finite");
    report.expect(untouched, "a call with 0 or -1 frames wrote output");
    report.figures << runs << " runs (44100, 48000, 96000 Hz x blocks of 1, 64, 512, 1024, 4096; " << kNoiseFrames
                   << " frames of noise, " << kSilentFrames << " of silence; every other block in place), "
                   << census.figures() << "; 0 and -1 frames wrote nothing";
}

} // namespace

void checkAudioSingle(ValidatorContext& context, CheckReport& report)
{
    checkAudio<float>(context, report, "audio-32");
}

void checkAudioDouble(ValidatorContext& context, CheckReport& report)
{
    checkAudio<double>(context, report, "audio-64");
}

void checkAutomation(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report, 44100.0f, kAutomationBlockFrames);
    if (!host || !report.expect(host->effect()->numParams > 0, "no parameters to automate"))
        return;
    RandomSource random = context.randomFor("automation");
    AlternatingPaths audio(*host->effect(), kSliceFrames);
    SampleCensus census;
    int changes = 0;
    for (int block = 0; block < kAutomationBlocks; ++block) {
        for (VstInt32 slice = 0; slice < kAutomationBlockFrames; slice += kSliceFrames) {
            const auto index = static_cast<VstInt32>(random.between(0, host->effect()->numParams - 1));
            host->setParameter(index, static_cast<float>(random.unit()));
            ++changes;
            report.expect(isNormalised(host->getParameter(index)), "a parameter reads back outside 0..1");
            audio.processNoise(*host, random, census);
        }
    }
    report.expect(census.finite(), "output not finite");
    report.figures << kAutomationBlocks << " blocks of " << kAutomationBlockFrames << " frames in slices of "
                   << kSliceFrames << ", " << changes << " parameter changes, " << census.figures();
}

void checkThreads(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report, 44100.0f, kThreadBlockFrames);
    if (!host || !report.expect(host->effect()->numParams > 0, "no parameters to automate"))
        return;
    const VstInt32 count = host->effect()->numParams;
    RandomSource audioRandom = context.randomFor("threads-audio");
    RandomSource automationRandom = context.randomFor("threads-automation");
    std::vector<float> lastSet = parametersOf(*host);
    std::atomic<bool> automationStarted{false};
    std::atomic<bool> audioDone{false};
    std::atomic<int> outOfRange{0};
    int automationCalls = 0;

    std::thread automation([&] {
        char display[kDisplayBytes];
        automationStarted = true;
        while (!audioDone && automationCalls < kMaxThreadAutomationCalls) {
            const auto index = static_cast<VstInt32>(automationRandom.between(0, count - 1));
            lastSet[static_cast<std::size_t>(index)] = static_cast<float>(automationRandom.unit());
            host->setParameter(index, lastSet[static_cast<std::size_t>(index)]);
            if (!isNormalised(host->getParameter(index)))
                ++outOfRange;
            host->dispatch(effGetParamDisplay, index, 0, display);
            ++automationCalls;
        }
    });
    AlternatingPaths audio(*host->effect(), kThreadBlockFrames);
    SampleCensus census;
    // The audio begins once the automation runs, so that the two overlap.
    while (!automationStarted)
        std::this_thread::yield();
    for (int block = 0; block < kThreadBlocks; ++block)
        audio.processNoise(*host, audioRandom, census);
    audioDone = true;
    automation.join();

    report.expect(census.finite(), "output not finite");
    report.expect(outOfRange == 0, "a parameter read back outside 0..1 during audio");
    // Nothing is lost: the values read back are those the last changes give
    // on an instance that never ran audio.
    std::unique_ptr<PluginHost> reference = startedInstance(context, report);
    if (reference) {
        for (VstInt32 i = 0; i < count; ++i)
            reference->setParameter(i, lastSet[static_cast<std::size_t>(i)]);
        report.expect(parametersOf(*host) == parametersOf(*reference), "the parameters are not as last set");
    }
    report.figures << kThreadBlocks << " blocks of " << kThreadBlockFrames << " frames on the audio thread, "
                   << automationCalls << " parameter changes with reads and displays on a second thread, "
                   << census.figures() << "; parameters as last set";
}
