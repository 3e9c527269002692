#pragma once

// The tagged blobs of a view: a singly linked list of CAttributeListEntry,
// new ids appended at the end. Free of platform calls; a list belongs to
// its view. [any thread]

#include "view.h"

#include <cstdint>

namespace VSTGUI {
namespace attribute_list {

CAttributeListEntry* find(CAttributeListEntry* head, CViewAttributeID id);
// An existing blob keeps its recorded size when the new data is not larger:
// only the leading bytes change. False for a negative size or null data with
// a size above 0.
bool set(CAttributeListEntry*& head, CViewAttributeID id, int32_t size, const void* data);
bool getSize(const CAttributeListEntry* head, CViewAttributeID id, int32_t& outSize);
bool get(const CAttributeListEntry* head, CViewAttributeID id, int32_t bufferSize, void* outData, int32_t& outSize);
bool remove(CAttributeListEntry*& head, CViewAttributeID id);
void clear(CAttributeListEntry*& head);

} // namespace attribute_list
} // namespace VSTGUI
