#include "zarkune_graphics.h"

#include <string>

#include "debug_log.h"
#include "module_paths.h"

namespace {

void takeSize(ImageSlot& slot)
{
    slot.width = vestGetBitmapWidth(slot.bitmap);
    slot.height = vestGetBitmapHeight(slot.bitmap);
}

} // namespace

CZarkuneGraphics::~CZarkuneGraphics()
{
    for (auto& entry : images)
        if (entry.second.bitmap != nullptr)
            vestDeleteBitmap(entry.second.bitmap);
}

ImageSlot& CZarkuneGraphics::getImage(int32_t n)
{
    ImageSlot& slot = images[n];
    // A handle, even an empty one, means the image was loaded or given up.
    if (slot.bitmap != nullptr)
        return slot;
    const auto name = fileNames.find(n);
    if (name == fileNames.end())
        return slot;

    slot.width = slot.height = 0.0;
    slot.bitmap = vestNewBitmap();
    if (vestLoadBitmapResourceId(slot.bitmap, n)) {
        takeSize(slot);
        return slot;
    }

    vestDeleteBitmap(slot.bitmap);
    slot.bitmap = vestNewBitmap();
    const std::string path = resolveModuleRelativePath(name->second);
    if (vestLoadBitmapFile(slot.bitmap, path.c_str())) {
        takeSize(slot);
        return slot;
    }
    debugLog("Unable to load: " + path);
    return slot;
}
