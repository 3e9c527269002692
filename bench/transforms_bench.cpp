// The runtime's FFT and MDCT against FFTW 3 (complex double, in place, plans
// made with FFTW_ESTIMATE outside the timed loops), and the fast MDCT against
// its direct path. After the runs a table gives, per size, our time divided
// by FFTW's.

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fft.h"
#include "mdct.h"

namespace {

// Repeated in-place transforms grow the values by about sqrt(n) each time;
// the buffer is refilled (untimed) this often, long before they overflow.
constexpr int kRefillPeriod = 64;

// A buffer from fftw_malloc (aligned as FFTW likes it), shared by both sides.
struct ComplexBuffer {
    explicit ComplexBuffer(int n) : n(n), data(static_cast<double*>(fftw_malloc(sizeof(double) * 2 * n))) { refill(); }
    ~ComplexBuffer() { fftw_free(data); }
    ComplexBuffer(const ComplexBuffer&) = delete;
    ComplexBuffer& operator=(const ComplexBuffer&) = delete;

    void refill()
    {
        for (int i = 0; i < 2 * n; ++i)
            data[i] = std::sin(0.7 * i) + 0.25 * std::cos(3.1 * i);
    }

    int n;
    double* data;
};

template <typename Transform> void runRefilled(benchmark::State& state, ComplexBuffer& buffer, Transform transform)
{
    int count = 0;
    for (auto _ : state) {
        transform();
        benchmark::DoNotOptimize(buffer.data);
        benchmark::ClobberMemory();
        if (++count == kRefillPeriod) {
            count = 0;
            state.PauseTiming();
            buffer.refill();
            state.ResumeTiming();
        }
    }
}

int log2Of(int n)
{
    return static_cast<int>(std::lround(std::log2(n)));
}

// The split-radix transform alone (output in split-radix order).
void fftForward(benchmark::State& state)
{
    ensureFftTables();
    ComplexBuffer buffer(static_cast<int>(state.range(0)));
    runRefilled(state, buffer, [&] { fftTransform(buffer.data, buffer.n, 0); });
}

// Transform and permutation: natural-order output, as FFTW gives.
void fftForwardNatural(benchmark::State& state)
{
    ensureFftTables();
    ComplexBuffer buffer(static_cast<int>(state.range(0)));
    const int log2n = log2Of(buffer.n);
    runRefilled(state, buffer, [&] {
        fftOperation(log2n, buffer.data, kFftForward);
        fftOperation(log2n, buffer.data, kFftPermute);
    });
}

void fftwForward(benchmark::State& state)
{
    ComplexBuffer buffer(static_cast<int>(state.range(0)));
    auto* data = reinterpret_cast<fftw_complex*>(buffer.data);
    fftw_plan plan = fftw_plan_dft_1d(buffer.n, data, data, FFTW_FORWARD, FFTW_ESTIMATE);
    buffer.refill(); // planning may use the buffer
    runRefilled(state, buffer, [&] { fftw_execute(plan); });
    fftw_destroy_plan(plan);
}

// Forward MDCT of block size n from a fresh input each time (the transform
// does not change its input).
void mdctWith(benchmark::State& state, MdctContext* context)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<double> input(n), output(n / 2);
    for (int i = 0; i < n; ++i)
        input[i] = std::sin(0.3 * i) * std::cos(0.011 * i);
    for (auto _ : state) {
        mdctTransform(context, input.data(), output.data());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    mdctContextFree(context);
}

void mdctFast(benchmark::State& state)
{
    mdctWith(state, mdctContextCreate(static_cast<int>(state.range(0))));
}

// A context without its tables takes the direct path: refuse the third
// request (the record and window are served, the tables are not).
int requests = 0;
void* refuseTables(std::size_t bytes)
{
    return ++requests >= 3 ? nullptr : std::malloc(bytes);
}

void mdctDirect(benchmark::State& state)
{
    requests = 0;
    mdctWith(state, mdctContextCreate(static_cast<int>(state.range(0)), refuseTables));
}

// FFTW on n/4 complex points, the core of an MDCT of block size n.
void fftwQuarter(benchmark::State& state)
{
    ComplexBuffer buffer(static_cast<int>(state.range(0)) / 4);
    auto* data = reinterpret_cast<fftw_complex*>(buffer.data);
    fftw_plan plan = fftw_plan_dft_1d(buffer.n, data, data, FFTW_FORWARD, FFTW_ESTIMATE);
    buffer.refill();
    runRefilled(state, buffer, [&] { fftw_execute(plan); });
    fftw_destroy_plan(plan);
}

BENCHMARK(fftForward)->RangeMultiplier(2)->Range(16, 32768);
BENCHMARK(fftForwardNatural)->RangeMultiplier(2)->Range(16, 32768);
BENCHMARK(fftwForward)->RangeMultiplier(2)->Range(16, 32768);
BENCHMARK(mdctFast)->RangeMultiplier(2)->Range(64, 4096);
BENCHMARK(mdctDirect)->RangeMultiplier(2)->Range(64, 4096);
BENCHMARK(fftwQuarter)->RangeMultiplier(2)->Range(64, 4096);

// Keeps the median (or only) CPU time per iteration of every run by name,
// after the console output.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::map<long, double>> times; // family -> size -> ns

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.function_name;
            const long size = std::strtol(run.run_name.args.c_str(), nullptr, 10);
            times[name][size] = run.GetAdjustedCPUTime();
        }
    }
};

void printRatios(const RatioReporter& reporter, const char* title, const char* ours, const char* theirs)
{
    const auto mine = reporter.times.find(ours);
    const auto other = reporter.times.find(theirs);
    if (mine == reporter.times.end() || other == reporter.times.end())
        return;
    std::printf("\n%s\n%8s %14s %14s %8s\n", title, "size", ours, theirs, "ratio");
    for (const auto& [size, time] : mine->second) {
        const auto match = other->second.find(size);
        if (match != other->second.end())
            std::printf("%8ld %14.1f %14.1f %8.3f\n", size, time, match->second, time / match->second);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter, "FFT, transform only, against FFTW (time ratio)", "fftForward", "fftwForward");
    printRatios(reporter, "FFT, transform and permutation, against FFTW", "fftForwardNatural", "fftwForward");
    printRatios(reporter, "Forward MDCT of block size n, fast against direct path", "mdctFast", "mdctDirect");
    printRatios(reporter, "Forward MDCT of block size n against FFTW on n/4 points", "mdctFast", "fftwQuarter");
    benchmark::Shutdown();
    return 0;
}
