#include "zarkune_graphics.h"

CZarkuneGraphics::~CZarkuneGraphics()
{
    for (auto& entry : images)
        if (entry.second.bitmap != nullptr)
            vestDeleteBitmap(entry.second.bitmap);
}
