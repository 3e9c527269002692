#pragma once

#include <string>
#include <vector>

// Appends the bare names of the plain files in the folder, in listing order.
// Names beginning with '.' and sub-folders are left out, and so is every
// entry whose status cannot be read. The status is read at the folder path
// followed directly by the name, so a folder whose entries are to be found is
// named with a trailing delimiter. A folder that cannot be opened appends
// nothing. [any thread]
void listFolderFiles(const std::string& folderPath, std::vector<std::string>& names);
