#include "attribute_list.h"

#include <cstring>

namespace VSTGUI {
namespace attribute_list {

namespace {

char* copyOf(const void* data, int32_t size)
{
    if (size == 0)
        return nullptr;
    char* copy = new char[static_cast<size_t>(size)];
    std::memcpy(copy, data, static_cast<size_t>(size));
    return copy;
}

// For constant and changeable lists alike.
template <class Entry> Entry* findIn(Entry* head, CViewAttributeID id)
{
    for (Entry* entry = head; entry; entry = entry->pNext)
        if (entry->nId == id)
            return entry;
    return nullptr;
}

} // namespace

CAttributeListEntry* find(CAttributeListEntry* head, CViewAttributeID id)
{
    return findIn(head, id);
}

bool set(CAttributeListEntry*& head, CViewAttributeID id, int32_t size, const void* data)
{
    if (size < 0 || (size > 0 && !data))
        return false;
    if (CAttributeListEntry* entry = find(head, id)) {
        if (entry->nSize < size) {
            delete[] entry->pData;
            entry->pData = copyOf(data, size);
            entry->nSize = size;
        } else if (size > 0) {
            std::memcpy(entry->pData, data, static_cast<size_t>(size));
        }
        return true;
    }
    auto* added = new CAttributeListEntry;
    added->pData = copyOf(data, size);
    added->nSize = size;
    added->nId = id;
    CAttributeListEntry** link = &head;
    while (*link)
        link = &(*link)->pNext;
    *link = added;
    return true;
}

bool getSize(const CAttributeListEntry* head, CViewAttributeID id, int32_t& outSize)
{
    const CAttributeListEntry* entry = findIn(head, id);
    if (!entry)
        return false;
    outSize = entry->nSize;
    return true;
}

bool get(const CAttributeListEntry* head, CViewAttributeID id, int32_t bufferSize, void* outData, int32_t& outSize)
{
    const CAttributeListEntry* entry = findIn(head, id);
    if (!entry || bufferSize < entry->nSize || (entry->nSize > 0 && !outData))
        return false;
    outSize = entry->nSize;
    if (entry->nSize > 0)
        std::memcpy(outData, entry->pData, static_cast<size_t>(entry->nSize));
    return true;
}

bool remove(CAttributeListEntry*& head, CViewAttributeID id)
{
    for (CAttributeListEntry** link = &head; *link; link = &(*link)->pNext) {
        CAttributeListEntry* entry = *link;
        if (entry->nId != id)
            continue;
        *link = entry->pNext;
        delete[] entry->pData;
        delete entry;
        return true;
    }
    return false;
}

void clear(CAttributeListEntry*& head)
{
    while (head) {
        CAttributeListEntry* next = head->pNext;
        delete[] head->pData;
        delete head;
        head = next;
    }
}

} // namespace attribute_list
} // namespace VSTGUI
