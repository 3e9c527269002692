// The project's test host: loads a VST 2.4 plug-in library and drives it by
// commands given as arguments (one command per argument) or in a file.
//
//   testhost PLUGIN.dll COMMAND...        e.g. testhost output.dll create info
//   testhost PLUGIN.dll -f SCRIPT         one command per line
//   testhost validate PLUGIN.dll [--seed N] [--instances N]
//                                         the validator's checks (validator.h)
//   testhost time PLUGIN.dll [--passes N] [--warm-up SECONDS]
//                                         times both process paths against a
//                                         copy loop (audio_timing.h)
//
// Exit code 0 when every command or check succeeded, 1 when one failed, 2 for
// usage.
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio_timing.h"
#include "host_script.h"
#include "validator.h"

namespace {

constexpr char kUsage[] = "usage: testhost PLUGIN.dll COMMAND... | testhost PLUGIN.dll -f SCRIPT\n"
                          "       testhost validate PLUGIN.dll [--seed N] [--instances N]\n"
                          "       testhost time PLUGIN.dll [--passes N] [--warm-up SECONDS]\n";

// Hands the options after the library to apply, as pairs of a name and a
// value; throws std::invalid_argument when a value is missing.
template <class Apply> void readOptions(int argc, char** argv, Apply apply)
{
    if (argc % 2 == 0)
        throw std::invalid_argument("an option without its value");
    for (int i = 3; i < argc; i += 2)
        apply(std::string(argv[i]), std::string(argv[i + 1]));
}

// testhost validate PLUGIN.dll [--seed N] [--instances N]
int validate(int argc, char** argv)
{
    ValidatorSettings settings;
    settings.pluginPath = argv[2];
    try {
        readOptions(argc, argv, [&settings](const std::string& option, const std::string& value) {
            if (option == "--seed")
                settings.seed = static_cast<uint32_t>(std::stoul(value, nullptr, 0));
            else if (option == "--instances")
                settings.memoryInstances = std::stoi(value);
            else
                throw std::invalid_argument(option);
        });
    } catch (const std::exception&) {
        std::cerr << kUsage;
        return 2;
    }
    return runValidator(settings, std::cout);
}

// testhost time PLUGIN.dll [--passes N] [--warm-up SECONDS]
int timeProcessing(int argc, char** argv)
{
    audio_timing::TimingSettings settings;
    try {
        readOptions(argc, argv, [&settings](const std::string& option, const std::string& value) {
            const int number = std::stoi(value);
            if (number < 0 || (option == "--passes" && number == 0))
                throw std::invalid_argument(value);
            if (option == "--passes")
                settings.passes = number;
            else if (option == "--warm-up")
                settings.warmUpSeconds = number;
            else
                throw std::invalid_argument(option);
        });
    } catch (const std::exception&) {
        std::cerr << kUsage;
        return 2;
    }
    PluginHost host;
    if (!host.load(argv[2])) {
        std::cerr << "testhost: " << host.lastError << "\n";
        return 1;
    }
    const auto entry = reinterpret_cast<audio_timing::PluginEntry>(host.entryAddress("VSTPluginMain"));
    const std::vector<audio_timing::TimingRow> rows = audio_timing::timeProcessing(entry, settings);
    if (rows.empty()) {
        std::cerr << "testhost: the library made no plug-in\n";
        return 1;
    }
    std::cout << "timing: " << argv[2] << ", " << audio_timing::kTimingRate << " Hz, AutoWidth "
              << audio_timing::kTimingAutoWidth << ", AutoDepth " << audio_timing::kTimingAutoDepth
              << ", one second of stereo noise a pass, best of " << settings.passes << " passes after "
              << settings.warmUpSeconds << " s of warm-up a row\n";
    audio_timing::printRows(std::cout, rows);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << kUsage;
        return 2;
    }
    if (std::string(argv[1]) == "validate")
        return validate(argc, argv);
    if (std::string(argv[1]) == "time")
        return timeProcessing(argc, argv);
    HostScript script(argv[1], std::cout);
    bool ok = true;
    if (std::string(argv[2]) == "-f") {
        std::ifstream file(argc > 3 ? argv[3] : "");
        if (!file) {
            std::cerr << "testhost: cannot read the script\n";
            return 2;
        }
        for (std::string line; ok && std::getline(file, line);)
            ok = script.run(line);
    } else {
        for (int i = 2; ok && i < argc; ++i)
            ok = script.run(argv[i]);
    }
    std::cout.flush();
    return ok ? 0 : 1;
}
