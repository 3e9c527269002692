// The project's test host: loads a VST 2.4 plug-in library and drives it by
// commands given as arguments (one command per argument) or in a file.
//
//   testhost PLUGIN.dll COMMAND...        e.g. testhost output.dll create info
//   testhost PLUGIN.dll -f SCRIPT         one command per line
//   testhost validate PLUGIN.dll [--seed N] [--instances N]
//                                         the validator's checks (validator.h)
//
// Exit code 0 when every command or check succeeded, 1 when one failed, 2 for
// usage.
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "host_script.h"
#include "validator.h"

namespace {

constexpr char kUsage[] = "usage: testhost PLUGIN.dll COMMAND... | testhost PLUGIN.dll -f SCRIPT\n"
                          "       testhost validate PLUGIN.dll [--seed N] [--instances N]\n";

// testhost validate PLUGIN.dll [--seed N] [--instances N]
int validate(int argc, char** argv)
{
    ValidatorSettings settings;
    settings.pluginPath = argv[2];
    try {
        if (argc % 2 == 0)
            throw std::invalid_argument("an option without its value");
        for (int i = 3; i < argc; i += 2) {
            const std::string option = argv[i];
            if (option == "--seed")
                settings.seed = static_cast<uint32_t>(std::stoul(argv[i + 1], nullptr, 0));
            else if (option == "--instances")
                settings.memoryInstances = std::stoi(argv[i + 1]);
            else
                throw std::invalid_argument(option);
        }
    } catch (const std::exception&) {
        std::cerr << kUsage;
        return 2;
    }
    return runValidator(settings, std::cout);
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
