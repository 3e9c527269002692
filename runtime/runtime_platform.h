#pragma once

#include <cstdint>
#include <string>

// The few platform calls of the runtime. [any thread]; a test replaces the
// clock or the speaker while no other thread runs the runtime.

// Milliseconds since the process started: the C library's clock() where it
// counts milliseconds (msvcrt), else a steady clock since start-up. Wraps
// around like a signed 32-bit tick counter.
int32_t tickCount();

// Replaces the clock that tickCount() reads, so that a test can drive the
// frame-rate timer; null restores the platform clock.
using TickSource = int32_t (*)();
void setTickSource(TickSource source);

// Sounds a tone of the frequency for the duration (the Win32 Beep); nonzero
// when it sounded. Natively there is no speaker to ask: 0.
int32_t beep(uint32_t frequencyHz, uint32_t durationMs);

// Replaces the speaker that beep() uses, so that a test can observe the
// tones (the platform's Beep may return without a sound); null restores it.
using BeepSink = int32_t (*)(uint32_t frequencyHz, uint32_t durationMs);
void setBeepSink(BeepSink sink);

// The full file name of a module. On Windows the module is a module handle
// (null: the executable). Natively there are no module handles: the argument
// is any address inside the module, and null names the module that holds the
// runtime. At most 260 characters on Windows, as GetModuleFileNameA delivers.
std::string moduleFileName(void* module);
