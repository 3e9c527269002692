#include "data_folder.h"

#include <dirent.h>
#include <sys/stat.h>

void listFolderFiles(const std::string& folderPath, std::vector<std::string>& names)
{
    DIR* listing = opendir(folderPath.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        struct stat status;
        if (stat((folderPath + name).c_str(), &status) != 0 || S_ISDIR(status.st_mode))
            continue;
        names.push_back(name);
    }
    closedir(listing);
}
