#include "validator.h"

#include <iterator>

#include "validator_checks.h"

namespace {

struct Check {
    const char* name;
    void (*run)(ValidatorContext& context, CheckReport& report);
};

const Check kChecks[] = {
    {"info", checkInfo},
    {"programs", checkPrograms},
    {"audio-32", checkAudioSingle},
    {"audio-64", checkAudioDouble},
    {"automation", checkAutomation},
    {"state", checkState},
    {"threads", checkThreads},
    {"instances", checkInstances},
    {"dispatcher", checkDispatcher},
    {"chunks", checkChunks},
    {"parameters", checkParameters},
    {"editor", checkEditor},
    {"close", checkClose},
    {"memory", checkMemory},
};

} // namespace

int runValidator(const ValidatorSettings& settings, std::ostream& out)
{
    ValidatorContext context;
    context.pluginPath = settings.pluginPath;
    context.seed = settings.seed;
    context.memoryInstances = settings.memoryInstances;
    out << "validator: " << settings.pluginPath << ", seed " << settings.seed << std::endl;

    int passed = 0;
    for (const Check& check : kChecks) {
        CheckReport report;
        check.run(context, report);
        out << check.name << ": " << (report.passed() ? "PASS" : "FAIL") << " " << report.figures.str();
        if (!report.passed())
            out << "; " << report.firstProblem() << " (" << report.problems() << " problems)";
        // Flushed per line: a check that crashes the process leaves the
        // lines of those before it.
        out << std::endl;
        passed += report.passed() ? 1 : 0;
    }
    const int count = static_cast<int>(std::size(kChecks));
    out << "validator: " << count << " checks, " << passed << " passed, " << count - passed << " failed (seed "
        << settings.seed << ", " << context.dispatcherCalls << " dispatcher calls, " << context.chunks << " chunks)"
        << std::endl;
    return passed == count ? 0 : 1;
}
