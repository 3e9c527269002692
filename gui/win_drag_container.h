#pragma once

#include "drag_container.h"

#include <windows.h>

#include <objidl.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

namespace VSTGUI {

// The items of an OLE data object: its text (one item) when it offers
// UTF-16 text, else the paths of its file list, with shortcut files replaced
// by the short path of their target. The data object is borrowed, not
// referenced: the container lives only as long as the drag. [GUI thread]
class WinDragContainer : public CDragContainer {
public:
    explicit WinDragContainer(IDataObject* dataObject);
    ~WinDragContainer() override;
    WinDragContainer(const WinDragContainer&) = delete;
    WinDragContainer& operator=(const WinDragContainer&) = delete;

    void* first(int32_t& size, int32_t& type) override;
    void* next(int32_t& size, int32_t& type) override;
    // The index is not used: every item of one drag has the same kind.
    int32_t getType(int32_t index) const override;
    int32_t getCount() const override { return itemCount; }

private:
    void* nextText(HGLOBAL memory, int32_t& size, int32_t& type);
    void* nextFile(HDROP files, int32_t& size, int32_t& type);
    // Keeps the UTF-8 form of the text as the last item and returns it.
    void* keepAsLastItem(const wchar_t* text, size_t maxLength, int32_t& size);

    IDataObject* dataObject;
    int32_t itemCount = 0;
    int32_t iterator = 0;
    // The item last returned: returned pointers point into it.
    std::string lastItem;
};

} // namespace VSTGUI
