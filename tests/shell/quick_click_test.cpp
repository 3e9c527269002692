// The display's buttons driven through the plug-in's own mouse and draw
// entries, with the real effect: a press and its release may both arrive
// before the display draws a frame, as a touchpad tap delivers them, and
// more clicks may follow before the next one.
#include <gtest/gtest.h>

#include <ostream>

#include "callbacks.h"
#include "gui/mouse_buttons.h"
#include "plugin_entry.h"
#include "test_effect.h"
#include "vest.h"
#include "zarkune.h"

namespace {

using VSTGUI::kLButton;
using VSTGUI::kRButton;
using VSTGUI::kShift;

// Host parameters and a point inside each button of the display.
constexpr VstInt32 kAutoWidth = 0;
constexpr VstInt32 kAutoSpeed = 1;
constexpr VstInt32 kAutoDepth = 2;
constexpr double kButtonRowY = 270;
constexpr double kAutoWidthX = 300;
constexpr double kAutoSpeedX = 350;
constexpr double kAutoDepthX = 400;
// Above the buttons, inside the editor.
constexpr double kAboveTheButtonsY = 200;
constexpr int kFramesAfterAClick = 3;
constexpr int kFramesAfterTwoClicks = 5;

class QuickClickTest : public ::testing::Test {
protected:
    QuickClickTest()
    {
        host.answers[audioMasterVersion] = 2400;
        record = VSTPluginMain(RecordingHost::callback);
    }
    ~QuickClickTest() override
    {
        if (record)
            record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    }
    QuickClickTest(const QuickClickTest&) = delete;
    QuickClickTest& operator=(const QuickClickTest&) = delete;

    void SetUp() override
    {
        ASSERT_NE(record, nullptr);
        vest = static_cast<CVeST*>(record->object);
        record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
        record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
        frame(); // the display's first frame, before any press
    }

    void press(double x, double y, int32_t buttons = kLButton) { vest->callbacks.onMouseDown(vest, x, y, buttons); }
    void move(double x, double y) { vest->callbacks.onMouseMoved(vest, x, y, kLButton); }
    void release(double x, double y) { vest->callbacks.onMouseUp(vest, x, y, kLButton); }
    void tap(double x, double y, int32_t buttons = kLButton)
    {
        press(x, y, buttons);
        release(x, y);
    }
    // One paint of the editor's view: the table's draw entry.
    void frame() { vest->callbacks.draw(vest, 700, 300); }
    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            frame();
    }
    float parameter(VstInt32 index) { return record->getParameter(record, index); }
    void setParameter(VstInt32 index, float value) { record->setParameter(record, index, value); }

    RecordingHost host;
    AEffect* record = nullptr;
    CVeST* vest = nullptr;
};

struct TapCase {
    const char* what;
    double x;
    int32_t buttons;
    VstInt32 parameter;
    float before;
    float after;
    float afterTwo; // after a second click
};

void PrintTo(const TapCase& c, std::ostream* out)
{
    *out << c.what;
}

class QuickClickTapTest : public QuickClickTest, public ::testing::WithParamInterface<TapCase> {};

TEST_P(QuickClickTapTest, APressReleasedBeforeAnyFrameActsOnceOnTheNextFrames)
{
    const TapCase& c = GetParam();
    setParameter(c.parameter, c.before);
    tap(c.x, kButtonRowY, c.buttons);
    frames(kFramesAfterAClick);
    EXPECT_FLOAT_EQ(parameter(c.parameter), c.after);
    EXPECT_EQ(vest->effect->mouseCap, 0.0) << "the release applies after the frame that drew the press";
}

TEST_P(QuickClickTapTest, ASecondClickBeforeTheFrameAfterTheFirstPressActsAgain)
{
    const TapCase& c = GetParam();
    setParameter(c.parameter, c.before);
    press(c.x, kButtonRowY, c.buttons);
    frame();
    release(c.x, kButtonRowY);
    tap(c.x, kButtonRowY, c.buttons);
    frames(kFramesAfterTwoClicks);
    EXPECT_FLOAT_EQ(parameter(c.parameter), c.afterTwo);
    EXPECT_EQ(vest->effect->mouseCap, 0.0);
}

TEST_P(QuickClickTapTest, TwoTapsBeforeAnyFrameActTwice)
{
    const TapCase& c = GetParam();
    setParameter(c.parameter, c.before);
    tap(c.x, kButtonRowY, c.buttons);
    tap(c.x, kButtonRowY, c.buttons);
    frames(kFramesAfterTwoClicks);
    EXPECT_FLOAT_EQ(parameter(c.parameter), c.afterTwo);
    EXPECT_EQ(vest->effect->mouseCap, 0.0);
}

// The cycling buttons step 0 -> 1 -> 2 -> 0, which the host reads as 0, 0.5, 1.
INSTANTIATE_TEST_SUITE_P(
    Buttons, QuickClickTapTest,
    ::testing::Values(TapCase{"AutoWidthOn", kAutoWidthX, kLButton, kAutoWidth, 0.0f, 1.0f, 0.0f},
                      TapCase{"AutoWidthOff", kAutoWidthX, kLButton, kAutoWidth, 1.0f, 0.0f, 1.0f},
                      TapCase{"AutoSpeedSlow", kAutoSpeedX, kLButton, kAutoSpeed, 0.0f, 0.5f, 1.0f},
                      TapCase{"AutoSpeedWrapsToTime", kAutoSpeedX, kLButton, kAutoSpeed, 1.0f, 0.0f, 0.5f},
                      TapCase{"AutoDepthNarrow", kAutoDepthX, kLButton, kAutoDepth, 0.0f, 0.5f, 1.0f},
                      TapCase{"AutoDepthWide", kAutoDepthX, kLButton, kAutoDepth, 0.5f, 1.0f, 0.0f},
                      TapCase{"RightButtonChangesNothing", kAutoSpeedX, kRButton, kAutoSpeed, 0.0f, 0.0f, 0.0f},
                      TapCase{"ShiftClickChangesNothing", kAutoWidthX, kLButton | kShift, kAutoWidth, 0.0f, 0.0f,
                              0.0f}),
    [](const ::testing::TestParamInfo<TapCase>& info) { return std::string(info.param.what); });

TEST_F(QuickClickTest, APressHeldOverManyFramesActsOnce)
{
    press(kAutoSpeedX, kButtonRowY);
    frames(5);
    release(kAutoSpeedX, kButtonRowY);
    frames(kFramesAfterAClick);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 0.5f);
}

TEST_F(QuickClickTest, AQuickClickStillLetsALaterPressBeDraggedOntoAButton)
{
    press(kAutoWidthX, kButtonRowY);
    release(kAutoWidthX, kButtonRowY);
    frames(2); // the first draws the press, the second the release
    press(kAutoSpeedX, kAboveTheButtonsY);
    frame();
    move(kAutoSpeedX, kButtonRowY);
    frame();
    release(kAutoSpeedX, kButtonRowY);
    frames(kFramesAfterAClick);
    EXPECT_FLOAT_EQ(parameter(kAutoWidth), 1.0f);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 0.5f);
}

TEST_F(QuickClickTest, AMoveAfterAWaitingReleaseLeavesThePressWhereItWas)
{
    press(kAutoSpeedX, kButtonRowY);
    release(kAutoSpeedX, kButtonRowY);
    move(kAutoDepthX, kButtonRowY);
    frame();
    EXPECT_EQ(vest->effect->mouseX, kAutoDepthX) << "the move counts once the press was drawn";
    frames(kFramesAfterAClick);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 0.5f);
    EXPECT_FLOAT_EQ(parameter(kAutoDepth), 0.0f);
}

TEST_F(QuickClickTest, ASecondPressBeforeAnyFrameKeepsTheButtonDown)
{
    press(kAutoSpeedX, kButtonRowY);
    release(kAutoSpeedX, kButtonRowY);
    press(kAutoSpeedX, kButtonRowY);
    frames(kFramesAfterAClick);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 1.0f) << "a tap, then a press: two clicks";
    EXPECT_EQ(vest->effect->mouseCap, kMouseCapLeft) << "the earlier release must not lift the later press";
    release(kAutoSpeedX, kButtonRowY);
    frame();
    EXPECT_EQ(vest->effect->mouseCap, 0.0);
}

TEST_F(QuickClickTest, AFloodOfTapsActsAsManyClicksAsTheQueueHoldsAndFallsNoFurtherBehind)
{
    for (int i = 0; i < 100; ++i)
        tap(kAutoSpeedX, kButtonRowY);
    // From no button down, each click takes a place for its press and one for
    // its release; the later clicks run into the last one.
    constexpr int kClicksHeld = MouseStateQueue::kCapacity / 2;
    int steps = 0;
    float value = parameter(kAutoSpeed);
    for (int i = 0; i < 4 * MouseStateQueue::kCapacity; ++i) {
        frame();
        if (parameter(kAutoSpeed) != value)
            ++steps;
        value = parameter(kAutoSpeed);
        if (i + 1 == MouseStateQueue::kCapacity) {
            EXPECT_EQ(vest->effect->mouseCap, 0.0) << "the display has caught up with the last release";
        }
    }
    EXPECT_EQ(steps, kClicksHeld);
}

TEST_F(QuickClickTest, DroppedMouseStatesActNothingAndLeaveNoButtonDown)
{
    tap(kAutoSpeedX, kButtonRowY);
    press(kAutoSpeedX, kButtonRowY);
    dropMouseStates(vest);
    EXPECT_EQ(vest->effect->mouseCap, 0.0);
    frames(kFramesAfterTwoClicks);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 0.0f);
}

TEST_F(QuickClickTest, APressDrawnBeforeADropStillLetsTheNextPressAct)
{
    press(kAutoSpeedX, kButtonRowY);
    frame(); // acts, and the display holds its latch
    dropMouseStates(vest);
    tap(kAutoSpeedX, kButtonRowY);
    frames(kFramesAfterTwoClicks);
    EXPECT_FLOAT_EQ(parameter(kAutoSpeed), 1.0f);
}

} // namespace
