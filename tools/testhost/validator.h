#pragma once

// The test host's validation mode: a fixed list of checks that drive a
// plug-in library the way the strictest hosts and validators do. Each check
// prints one line (name, PASS or FAIL, figures); a summary line ends the run.
// Every random choice comes from the seed, which is printed, so a failure
// replays with the same seed.
#include <cstdint>
#include <ostream>
#include <string>

struct ValidatorSettings {
    std::string pluginPath;
    uint32_t seed = 12345;
    // Instances created and destroyed while the process memory is watched.
    int memoryInstances = 1000;
};

// Runs every check; 0 when all passed, 1 otherwise.
int runValidator(const ValidatorSettings& settings, std::ostream& out);
