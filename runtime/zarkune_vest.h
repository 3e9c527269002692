#pragma once

#include "zarkune_memory.h"
#include "services.h"

// The way out to the host and the screen: every service call passes `vest`.
// Set once by the shell's entry, then only read. [any thread]
class CZarkuneVeST : public CZarkuneMemory {
public:
    // The plug-in object; not owned. Null until the shell's entry stores it,
    // and then every service answers its failure value.
    CVeST* vest = nullptr;

protected:
    ~CZarkuneVeST() = default;
};
