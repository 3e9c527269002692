#pragma once

#include <cstdint>
#include <map>

#include "zarkune_fonts.h"

// An image by number: the shell's bitmap handle and the image's size.
struct ImageSlot {
    // Owned by the slot. Null until the first load attempt; an empty handle
    // after a failed one, so that a failed image is tried only once.
    VestBitmapHandle* bitmap = nullptr;
    double width = 0.0; // 0 until a load succeeds
    double height = 0.0;
};

// The display's state: images, drawing position and frame rate.
class CZarkuneGraphics : public CZarkuneFonts {
public:
    // Image slots by number, each owning its bitmap handle.
    std::map<int32_t, ImageSlot> images;
    // The current drawing position.
    double gfxX = 0.0;
    double gfxY = 0.0;
    // Redraws per second the display wants; idle() asks for none until the
    // script or the shell's mouse callbacks set a positive rate.
    double frameRate = 0.0;

    // Image slot n, created empty when new. On first use an image with a
    // registered file name is loaded from the library's "DATA" resource n,
    // else from the file of its name beside the library; when both fail the
    // path goes to the debug log and the slot keeps an empty handle and size
    // 0, so that each image is decoded, or given up, once. [GUI thread]
    ImageSlot& getImage(int32_t n);

    CZarkuneGraphics() = default;
    // Copies would release the same bitmap handles twice.
    CZarkuneGraphics(const CZarkuneGraphics&) = delete;
    CZarkuneGraphics& operator=(const CZarkuneGraphics&) = delete;

protected:
    // Releases every image slot's bitmap handle through the shell.
    ~CZarkuneGraphics();
};
