#pragma once

// The validator's checks, one function each. A check makes the instances it
// needs, records its figures and problems in the report, and leaves no
// instance behind.
#include "validator_support.h"

// The record, the texts and answers a host reads first, and the programs.
void checkInfo(ValidatorContext& context, CheckReport& report);
void checkPrograms(ValidatorContext& context, CheckReport& report);

// Noise through the 32- and the 64-bit path at every sample rate and block
// size; zero and negative frame counts.
void checkAudioSingle(ValidatorContext& context, CheckReport& report);
void checkAudioDouble(ValidatorContext& context, CheckReport& report);
// Audio in slices of 32 frames with a parameter change before each.
void checkAutomation(ValidatorContext& context, CheckReport& report);
// Automation from a second thread while audio runs on the first.
void checkThreads(ValidatorContext& context, CheckReport& report);

// Save, randomise, restore: the same bytes and parameters come back.
void checkState(ValidatorContext& context, CheckReport& report);
// Chunks of random length and bytes, negative sizes and null data.
void checkChunks(ValidatorContext& context, CheckReport& report);
// Parameter values that are not numbers, infinite or outside 0..1, and
// parameter indices outside the plug-in's.
void checkParameters(ValidatorContext& context, CheckReport& report);

// A deterministic random walk over the dispatcher.
void checkDispatcher(ValidatorContext& context, CheckReport& report);

// The editor opcodes, with a real parent window where there is an editor.
void checkEditor(ValidatorContext& context, CheckReport& report);
// Closing after every stage of an instance's life.
void checkClose(ValidatorContext& context, CheckReport& report);
// Several instances in one process, opened, run and closed interleaved.
void checkInstances(ValidatorContext& context, CheckReport& report);
// Repeated create and destroy while the process memory stays flat.
void checkMemory(ValidatorContext& context, CheckReport& report);
