#pragma once

#include "base_object.h"

#include <cstdint>

namespace VSTGUI {

// The items of a drag in progress, handed to the views it passes over. Each
// item is a zero-terminated UTF-8 string owned by the container; a returned
// pointer stays valid until the next first() or next() or the container's
// end, so a receiver that keeps an item copies it. [GUI thread]
class CDragContainer : public CBaseObject {
public:
    enum ItemType : int32_t {
        kFile = 0, // a file path
        kText = 1, // getType's answer for dragged text
        kUnicodeText = 2, // the type next() reports for dragged text
        kUnknown = -1, // no item of a known format
        kError = -2, // nothing was dragged
    };

    // Restarts the walk and returns the first item, or null. size is the
    // item's length in bytes without the terminator.
    virtual void* first(int32_t& size, int32_t& type) = 0;
    // The next item, or null after the last.
    virtual void* next(int32_t& size, int32_t& type) = 0;
    virtual int32_t getType(int32_t index) const = 0;
    virtual int32_t getCount() const = 0;
};

} // namespace VSTGUI
