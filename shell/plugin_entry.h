#pragma once

// The plug-in entries. The library exports VSTPluginMain also as "main" (one
// address, see output.def); MAIN behaves the same. Each takes the host
// callback and answers the new plug-in's record, or null when the host
// answers 0 to audioMasterVersion (then nothing stays allocated). The thread
// that calls an entry runs the plug-in's init slot. [dispatcher thread]
#include "vst_records.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);
extern "C" AEffect* VSTCALLBACK MAIN(audioMasterCallback audioMaster);
