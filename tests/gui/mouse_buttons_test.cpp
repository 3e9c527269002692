#include "gui/editor_interface.h"
#include "gui/mouse_buttons.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace {

TEST(MouseButtonsTest, BitsHaveTheirPublishedValues)
{
    EXPECT_EQ(kLButton | kShift, 0x12);
    const int32_t all = kLButton | kMButton | kRButton | kShift | kControl | kAlt | kButton4 | kButton5 | kDoubleClick;
    EXPECT_EQ(all, 0x77E);
}

TEST(MouseButtonsTest, HeldKeysBecomeBitsAndSwappingExchangesLeftAndRight)
{
    struct Case {
        const char* name;
        HeldMouseKeys held;
        bool swapped;
        int32_t expected;
    };
    const Case cases[] = {
        {"nothing", {}, false, 0},
        {"left", {true, false, false, false, false, false}, false, kLButton},
        {"left, swapped", {true, false, false, false, false, false}, true, kRButton},
        {"right, swapped", {false, false, true, false, false, false}, true, kLButton},
        {"middle, swapped", {false, true, false, false, false, false}, true, kMButton},
        {"left and right, swapped", {true, false, true, false, false, false}, true, kLButton | kRButton},
        {"left with shift", {true, false, false, true, false, false}, false, 0x12},
        {"modifiers", {false, false, false, true, true, true}, true, kShift | kControl | kAlt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buttonsFromHeldKeys(c.held, c.swapped), c.expected);
    }
}

TEST(MouseButtonsTest, NearStartIsTwoPixelsLowerInclusiveUpperExclusive)
{
    const CPoint start(100, 50);
    struct Case {
        CPoint position;
        bool near;
    };
    const Case cases[] = {
        {{100, 50}, true},  {{98, 50}, true},   {{100, 48}, true},   {{101.9, 51.9}, true},
        {{102, 50}, false}, {{100, 52}, false}, {{97.9, 50}, false}, {{100, 47.5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.position.h << ", " << c.position.v << ")");
        EXPECT_EQ(isNearStart(start, c.position), c.near);
    }
}

TEST(EditorInterfaceTest, DefaultsDoNothing)
{
    VSTGUIEditorInterface editor;
    EXPECT_EQ(editor.frame, nullptr);
    EXPECT_EQ(editor.getKnobMode(), 0);
    editor.doIdleStuff();
    editor.beginEdit(3);
    editor.endEdit(3);
}

} // namespace
} // namespace VSTGUI
