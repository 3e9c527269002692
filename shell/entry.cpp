// The library's entry routine and the plug-in entries the host calls. Each
// entry call makes one independent pair: the effect object and the plug-in
// object around it, which owns it from then on.
#include <memory>

#include "callbacks.h"
#include "effect.h"
#include "module_handle.h"
#include "plugin_entry.h"
#include "services.h"
#include "vest.h"

namespace {

constexpr int32_t kProgramCount = 1;

AEffect* createPlugin(audioMasterCallback audioMaster)
{
    CVeSTCallbacks callbacks;
    initCallbacks(&callbacks);
    auto effect = std::make_unique<TZarkuneEffect>();
    const auto parameterCount = static_cast<int32_t>(effect->sliderRecords.size());
    CVeST* vest = vestCreate(effect.get(), callbacks, audioMaster, kProgramCount, parameterCount);
    if (!vest)
        return nullptr;
    // Only now may anything reach the plug-in through the effect.
    effect.release()->vest = vest;
    return vestGetAeffect(vest);
}

// Nothing may unwind into the host: a failure to allocate gives it null.
AEffect* createPluginForHost(audioMasterCallback audioMaster)
{
    try {
        return createPlugin(audioMaster);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster)
{
    return createPluginForHost(audioMaster);
}

extern "C" AEffect* VSTCALLBACK MAIN(audioMasterCallback audioMaster)
{
    return createPluginForHost(audioMaster);
}

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD /*reason*/, LPVOID /*reserved*/)
{
    hInstance = module;
    return TRUE;
}
#endif
