#include "zarkune_description.h"

#include "data_folder.h"
#include "module_paths.h"

namespace {

void prepare(SliderRecord& record)
{
    record.prepared = 1;
    if (record.folder.empty())
        return;
    listFolderFiles(resolveModuleRelativePath(record.folder), record.options);
    if (record.options.empty())
        record.options.push_back("(No Data Files)");
    record.minimum = 0.0;
    record.defaultValue = 0.0;
    record.maximum = static_cast<double>(record.options.size()) - 1.0;
    record.step = 0.5;
}

} // namespace

int32_t CZarkuneDescription::addSlider(int32_t sliderNumber, double* variable, double defaultValue, double minimum,
                                       double maximum, double step, const std::string& folder, const std::string& label,
                                       const std::string& name)
{
    SliderRecord record;
    record.index = sliderNumber;
    record.variable = variable;
    record.defaultValue = defaultValue;
    record.minimum = minimum;
    record.maximum = maximum;
    record.step = step;
    record.folder = folder;
    record.label = label;
    record.name = name;

    sliders[static_cast<size_t>(sliderNumber)] = defaultValue;
    sliderRecords.push_back(std::move(record));
    prepare(sliderRecords.back());
    return static_cast<int32_t>(sliderRecords.size()) - 1;
}
