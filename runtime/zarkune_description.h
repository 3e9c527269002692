#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "slider_record.h"
#include "zarkune_samples.h"

// What the host learns about the plug-in: its parameters and its names. Set
// while the effect is constructed, on the thread that makes the plug-in, and
// then read by the host's requests; only the program name is renamed later.
// [dispatcher thread]
class CZarkuneDescription : public CZarkuneSamples {
public:
    // Record i is VST parameter i; the count is the parameter count the shell
    // announces, so records are added only while the effect is constructed.
    std::vector<SliderRecord> sliderRecords;

    std::string effectName;
    std::string productString;
    std::string vendorString;
    std::string programName; // also renamed by the host

    int32_t vendorVersion = 0;
    int32_t uniqueId = 0;
    int32_t channelCount = 0; // inputs and outputs alike

    // Declares a parameter: sets its slider value to the default and appends
    // its record. A record with a data folder lists that folder's files as its
    // choices ("(No Data Files)" alone for an empty folder), with range 0 to
    // count - 1, default 0 and step 0.5; its slider value stays at the given
    // default. Returns the record's parameter index.
    int32_t addSlider(int32_t sliderNumber, double* variable, double defaultValue, double minimum, double maximum,
                      double step, const std::string& folder, const std::string& label, const std::string& name);

protected:
    ~CZarkuneDescription() = default;
};
