#pragma once

// The runtime's hold on one toolkit bitmap: a heap cell made by
// vestNewBitmap and freed by vestDeleteBitmap. A bitmap in it stands for one
// reference that the handle owns. The only definition of the record: the
// tests' stand-ins make the same cells and keep their fake images beside
// them, with the pointer left null. [GUI thread]
namespace VSTGUI {
class CBitmap;
}

struct VestBitmapHandle {
    VestBitmapHandle() = default;
    VestBitmapHandle(const VestBitmapHandle&) = delete;
    VestBitmapHandle& operator=(const VestBitmapHandle&) = delete;

    VSTGUI::CBitmap* bitmap = nullptr;
};
