#pragma once

#include <cstdint>
#include <map>

#include "zarkune_fonts.h"

// An image by number: the shell's bitmap handle and the image's size.
struct ImageSlot {
    // The slot owns it. It stays null before anything tried to load the
    // image and is an empty handle after a failure, so no image is retried.
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
    // How many redraws a second the display asks for; idle() requests none
    // while this is not positive (the script or mouse input raises it).
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
