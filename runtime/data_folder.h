#pragma once

#include <string>
#include <vector>

// Adds to names each regular file of the folder, name only, in the order
// the folder lists them. Hidden names (a leading '.'), sub-folders and
// entries that stat cannot read are skipped. Each entry is stat'ed at
// folderPath + name with nothing put between them, so callers pass the folder
// with its trailing delimiter. An unreadable folder adds no name.
// [any thread]
void listFolderFiles(const std::string& folderPath, std::vector<std::string>& names);
