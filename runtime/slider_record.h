#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One VST parameter. Its value lives in the slider values at `index`, not
// here. The shell's parameter callbacks rely on maximum > minimum, step > 0,
// index in 0..127 and, with option texts, on the range mapping evenly onto
// them (minimum shows the first text, maximum the last one). Filled while the
// effect is constructed and only read afterwards. [any thread]
struct SliderRecord {
    // Display texts for the values from minimum upward; a data-file slider's
    // file names; empty for a plain numeric slider.
    std::vector<std::string> options;
    // 1 once addSlider has prepared the record.
    uint8_t prepared = 0;
    // Slider number.
    int32_t index = 0;
    // Bound script variable, written whenever the shell sets this slider;
    // null if the parameter has none.
    double* variable = nullptr;
    double defaultValue = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
    // Folder of data files, named from the library's own folder; empty if the
    // parameter lists no files.
    std::string folder;
    std::string label;
    std::string name;
};
