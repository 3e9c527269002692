#include "fresh_mdct_cache.h"

#include "mdct_cache.h"

void emptyMdctCache()
{
    for (MdctSlot& slot : mdctContexts) {
        std::lock_guard<std::mutex> guard(slot.lock);
        mdctContextFree(slot.context.exchange(nullptr));
    }
}
