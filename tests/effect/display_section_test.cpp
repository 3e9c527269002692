// The display: the calls of one painted frame in order, the text and shape
// routines, the values that turn into integers, and the three buttons as the
// mouse state drives them.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "display_test_support.h"
#include "module_paths.h"

namespace {

using namespace expected_calls;

// The display's line height: (0.85 x 13) / 0.85 in double arithmetic.
constexpr double kLineHeight = 12.999999999999998;

// Colours as bytes: each component x 255, moved 0.0001 away from zero,
// truncated.
constexpr Color kOverlayAtPhaseZero{0, 0, 0, 102}; // alpha 0.4
constexpr Color kVersionColor{0, 0, 242, 242}; // 0.95
constexpr Color kWidthButton{127, 127, 0, 127}; // 0.5, 0.5, 0, 0.5
constexpr Color kLitWidthButton{153, 153, 76, 204}; // 0.6, 0.6, 0.3, 0.8
constexpr Color kCycleButton{0, 127, 127, 127}; // 0, 0.5, 0.5, 0.5
constexpr Color kLitCycleButton{76, 153, 153, 204}; // 0.3, 0.6, 0.6, 0.8
constexpr Color kAxes{0, 0, 255, 127}; // 0, 0, 1, 0.5
constexpr Color kHistoryColor{0, 255, 255, 76}; // 0, 1, 1, 0.3

Calls label(const Color& c, const std::string& s, double x)
{
    return text(c, s, x, 248, kCharWidth, kLineHeight);
}

// The eight spokes of a scope centred at (x, y).
Calls scopeAxes(double x, double y)
{
    Calls calls;
    const double ends[8][2] = {{x, y - 125},       {x - 125, y},       {x + 125, y},       {x, y + 125},
                               {x - 100, y - 100}, {x + 100, y - 100}, {x + 100, y + 100}, {x - 100, y + 100}};
    for (const auto& end : ends)
        append(calls, line(kAxes, x, y, end[0], end[1]));
    return calls;
}

// The logo from resource 0 (99 x 99) under the overlay of the first frame,
// then the version text.
Calls logoAndVersion()
{
    Calls calls = {"vestNewBitmap(ptr)", "vestLoadBitmapResourceId(ptr, 0)", "vestGetBitmapWidth(ptr)",
                   "vestGetBitmapHeight(ptr)", "vestDrawBitmap(ptr, 300, 100, 399, 199, 0, 0)"};
    append(calls, fill(kOverlayAtPhaseZero, 300, 100, 400, 200));
    append(calls, text(kVersionColor, "v", 310, 90, kCharWidth, kLineHeight));
    append(calls, text(kVersionColor, "20200928", 317, 90, kCharWidth, kLineHeight));
    return calls;
}

// The four lines around the 700 x 300 display.
Calls border()
{
    Calls calls = line(kAxes, 0, 0, 699, 0);
    append(calls, line(kAxes, 699, 0, 699, 299));
    append(calls, line(kAxes, 699, 299, 0, 299));
    append(calls, line(kAxes, 0, 299, 0, 0));
    return calls;
}

// Reports the first call that differs, with its index.
void expectCalls(const Calls& actual, const Calls& expected)
{
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        ASSERT_EQ(actual[i], expected[i]) << "call " << i;
    EXPECT_EQ(actual.size(), expected.size());
}

class DisplaySection : public PaintedEffect {
protected:
    // The meters the left scope draws, as the sample section leaves them.
    void setMeters(double mid, double side, double midZoomed, double sideZoomed)
    {
        EffectScriptVariables& v = effect.script;
        v.midMeter = mid;
        v.sideMeter = side;
        v.midMeterZoomed = midZoomed;
        v.sideMeterZoomed = sideZoomed;
    }
};

// One frame with everything shown: AutoWidth on, clip flag set, AutoSpeed 1,
// AutoDepth 2. The logo loads from resource 0, the working indicator from its
// file beside the library, the clip indicator from neither; the first font
// face is refused.
TEST_F(DisplaySection, OneFrameDrawsItsCallsInOrder)
{
    const std::string indicatorPath = moduleFolder() + "Working_ON_dim.png";
    const std::string clipPath = moduleFolder() + "Clipping_ON.png";
    services.answers.resourceIds[0] = {99, 99};
    services.answers.imageFiles[indicatorPath] = {100, 20};
    services.answers.refusedFontFaces = {"Courier New"};
    setParameters(1, 1, 2);
    EffectScriptVariables& v = effect.script;
    v.clipFlag = 1;
    setMeters(0.3, 0.45, 60.5, 41);
    v.history[0] = {10, 10}; // equal sides: straight up
    v.history[1] = {10, -10}; // opposite sides: to the left
    v.history[20] = {-3.5, 1.25};

    paint();

    Calls expected = {"vestSetFont(\"Courier New\", 11, 0)", "vestSetFont(\"verdana\", 11, 0)"};
    append(expected, logoAndVersion());
    append(expected,
           {"vestNewBitmap(ptr)", "vestLoadBitmapResourceId(ptr, 1)", "vestDeleteBitmap(ptr)", "vestNewBitmap(ptr)",
            "vestLoadBitmapFile(ptr, \"" + indicatorPath + "\")", "vestGetBitmapWidth(ptr)", "vestGetBitmapHeight(ptr)",
            "vestDrawBitmap(ptr, 300, 230, 400, 250, 0, 0)"});
    append(expected,
           {"vestNewBitmap(ptr)", "vestLoadBitmapResourceId(ptr, 2)", "vestDeleteBitmap(ptr)", "vestNewBitmap(ptr)",
            "vestLoadBitmapFile(ptr, \"" + clipPath + "\")", "vestDrawBitmap(ptr, 300, 40, 300, 40, 0, 0)",
            "vestSetFillColor(255, 0, 0, 255)", "vestDrawRect(300, 40, 300, 40, 1)",
            "vestSetFontColor(255, 255, 0, 255)", "vestDrawString(\"ERROR\", 300, 40, 300, 40, 0, 1)"});
    append(expected, fill(kWidthButton, 280, 250, 320, 290));
    append(expected, label(kWidthButton, "AUTO", 280));
    append(expected, fill(kLitWidthButton, 280, 250, 320, 290));
    append(expected, label(kLitWidthButton, "AUTO", 280));
    append(expected, fill(kCycleButton, 330, 250, 370, 290));
    append(expected, fill(kLitCycleButton, 330, 250, 350, 290)); // left half
    append(expected, label(kLitCycleButton, "SLOW", 330));
    append(expected, fill(kCycleButton, 380, 250, 420, 290));
    append(expected, fill(kLitCycleButton, 380, 250, 420, 290));
    append(expected, label(kLitCycleButton, "WIDE", 380));
    append(expected, scopeAxes(150, 150));
    append(expected, fill({0, 127, 127, 76}, 110, 50, 190, 250)); // alpha: the mid meter 0.3
    append(expected, fill({191, 127, 0, 38}, 50, 110, 250, 190)); // alpha: 0.45 - 0.3
    // x 151 - 41 / 2 = 130.5, y 151 - 60.5 / 2 = 120.75, 43 by 61.5, on whole pixels.
    append(expected, fill({114, 76, 63, 127}, 130, 120, 173, 182));
    append(expected, scopeAxes(550, 150));
    append(expected, line(kHistoryColor, 550, 150, 550, 130));
    append(expected, line(kHistoryColor, 550, 150, 530, 150));
    for (int k = 2; k < 20; ++k)
        append(expected, line(kHistoryColor, 550, 150, 550, 150));
    append(expected, line(kHistoryColor, 550, 150, 554.75, 152.25));
    append(expected, border());

    expectCalls(callTexts(), expected);
    // Every drawing call goes to the effect's plug-in object; the bitmap
    // handle calls take none.
    for (const auto& call : services.calls()) {
        const bool handleOnly = call.name.find("Bitmap") != std::string::npos && call.name != "vestDrawBitmap";
        EXPECT_EQ(call.plugin, handleOnly ? nullptr : effect.vest) << call;
    }
    EXPECT_EQ(logCapture.lines(), std::vector<std::string>{"Unable to load: " + clipPath});
    EXPECT_EQ(logCapture.beeps().size(), 1u);
    EXPECT_EQ(effect.fonts[0].face, "Courier New");
    EXPECT_EQ(effect.fonts[0].size, 11.049999999999999);
    EXPECT_EQ(effect.fontHeight, kLineHeight);
    // The last drawing routine, the border's last line, leaves the position.
    EXPECT_EQ(effect.gfxX, 0.0);
    EXPECT_EQ(effect.gfxY, 0.0);
}

// One frame with every parameter at 0, no clip and equal mid and side
// meters: no indicator, every label in its button's base colour, and the side
// band at its alpha floor of 0.01.
TEST_F(DisplaySection, AFrameAtZeroDrawsPlainButtonsAndTheSideBandAtItsFloor)
{
    services.answers.resourceIds[0] = {99, 99};
    setParameters(0, 0, 0);
    setMeters(0.35, 0.35, 70, 70);

    paint();

    Calls expected = {"vestSetFont(\"Courier New\", 11, 0)"};
    append(expected, logoAndVersion());
    append(expected, fill(kWidthButton, 280, 250, 320, 290));
    append(expected, label(kWidthButton, "AUTO", 280));
    append(expected, fill(kCycleButton, 330, 250, 370, 290));
    append(expected, label(kCycleButton, "TIME", 330));
    append(expected, fill(kCycleButton, 380, 250, 420, 290));
    append(expected, label(kCycleButton, "SIDE", 380));
    append(expected, scopeAxes(150, 150));
    append(expected, fill({0, 127, 127, 89}, 110, 50, 190, 250)); // alpha: the mid meter 0.35
    append(expected, fill({191, 127, 0, 2}, 50, 110, 250, 190)); // alpha: the floor 0.01, not 0.35 - 0.35
    // x and y 151 - 70 / 2 = 116, 72 by 71; red and green the meters 0.35.
    append(expected, fill({89, 89, 63, 127}, 116, 116, 188, 187));
    append(expected, scopeAxes(550, 150));
    for (int k = 0; k <= 20; ++k)
        append(expected, line(kHistoryColor, 550, 150, 550, 150));
    append(expected, border());

    expectCalls(callTexts(), expected);
}

TEST_F(DisplaySection, LaterFramesNeitherLoadNorLogAgain)
{
    services.answers.resourceIds[0] = {99, 99};
    setParameters(1, 0, 0);
    effect.script.clipFlag = 1;
    paint();
    ASSERT_EQ(logCapture.lines().size(), 2u); // images 1 and 2
    const int liveHandles = services.liveBitmaps();

    paint();
    for (const std::string& name : services.callNames()) {
        EXPECT_NE(name, "vestNewBitmap");
        EXPECT_EQ(name.find("vestLoad"), std::string::npos) << name;
    }
    EXPECT_EQ(services.count("vestDrawBitmap"), 3u);
    EXPECT_EQ(services.count("vestDrawString"), 8u) << "v, the version, AUTO twice, TIME, SIDE, ERROR twice";
    EXPECT_EQ(logCapture.lines().size(), 2u);
    EXPECT_EQ(logCapture.beeps().size(), 2u);
    EXPECT_EQ(services.liveBitmaps(), liveHandles);
}

TEST_F(DisplaySection, WithAutoWidthOffAndNoClipNoIndicatorIsDrawn)
{
    services.answers.resourceIds[0] = {99, 99};
    paint();
    EXPECT_EQ(services.count("vestDrawBitmap"), 1u);
    EXPECT_EQ(services.callsTo("vestLoadBitmapResourceId").size(), 1u);
    EXPECT_EQ(drawnStrings(), (std::vector<std::string>{"v", "20200928", "AUTO", "TIME", "SIDE"}));
    EXPECT_TRUE(logCapture.lines().empty());
}

TEST_F(DisplaySection, AnAcceptedFaceNeedsNoFallback)
{
    paint();
    EXPECT_EQ(services.callsTo("vestSetFont").size(), 1u);
    EXPECT_EQ(services.calls()[0].text(), "vestSetFont(\"Courier New\", 11, 0)");
}

TEST_F(DisplaySection, WithoutADrawContextEveryFaceFailsAndTheFallbackIsTried)
{
    services.answers.drawing = false;
    paint();
    EXPECT_EQ(services.callsTo("vestSetFont").size(), 2u);
    EXPECT_EQ(services.callsTo("vestSetFont")[1].text(), "vestSetFont(\"verdana\", 11, 0)");
}

TEST_F(DisplaySection, TheOverlayPulsesOncePerNinetyFrames)
{
    // Alpha cos(phase) x 0.2 + 0.2 with the phase 0.07 further each frame
    // and wrapped at 2 pi, worked out frame by frame apart from the code.
    const std::pair<int, int> alphaOfFrame[] = {{1, 102}, {2, 101}, {23, 52}, {46, 0}, {91, 101}};
    services.answers.resourceIds[0] = {99, 99};
    int painted = 0;
    for (const auto& [frame, alpha] : alphaOfFrame) {
        while (painted < frame) {
            paint();
            ++painted;
        }
        EXPECT_EQ(services.callsTo("vestSetFillColor")[0].arguments[3].integer, alpha) << "frame " << frame;
        if (frame == 91) {
            EXPECT_EQ(effect.script.glowPhase, 0.08681469282041981) << "wrapped after frame 90";
        }
    }
}

// drawText and drawNumber: lines split at "\n", each at the same x; the
// position ends after the last piece.
struct TextCase {
    const char* text;
    std::vector<std::string> pieces;
    double endX, endY;
};

TEST_F(DisplaySection, TextLinesStartAtTheSameXAndTheLastOneMovesIt)
{
    const TextCase cases[] = {
        {"AUTO", {"AUTO"}, 10 + 4 * kCharWidth, 20},
        {"ab\nwide", {"ab", "wide"}, 10 + 4 * kCharWidth, 20 + kLineHeight},
        {"ends\n", {"ends", ""}, 10, 20 + kLineHeight},
        {"", {""}, 10, 20},
        {"a\n\nb", {"a", "", "b"}, 10 + kCharWidth, 20 + kLineHeight + kLineHeight},
    };
    paint(); // sets the line height
    for (const TextCase& c : cases) {
        effect.strings[12] = c.text;
        effect.gfxX = 10;
        effect.gfxY = 20;
        services.clear();
        effect.drawText(12.4);
        EXPECT_EQ(drawnStrings(), c.pieces) << c.text;
        double lineTop = 20;
        for (const auto& draw : services.callsTo("vestDrawString")) {
            EXPECT_EQ(draw.arguments[1].real, 10.0) << c.text;
            EXPECT_EQ(draw.arguments[2].real, lineTop) << c.text;
            lineTop += kLineHeight;
        }
        EXPECT_EQ(effect.gfxX, c.endX) << c.text;
        EXPECT_EQ(effect.gfxY, c.endY) << c.text;
    }
}

TEST_F(DisplaySection, AMissingStringIsEnteredEmpty)
{
    const double before = effect.stringCount;
    effect.drawText(-7);
    EXPECT_EQ(effect.strings.count(-7), 1u);
    EXPECT_EQ(effect.stringCount, before + 1);
    EXPECT_EQ(drawnStrings(), std::vector<std::string>{""});
}

// drawNumber: "%.*f" with the precision moved 0.0001 away from zero and
// truncated; a NaN precision is 0, one beyond the 32-bit range counts as the
// end of that range; a negative one is printf's default of six decimals; the
// text is cut to 255 characters.
struct NumberCase {
    double value, decimals;
    std::string text;
};

TEST_F(DisplaySection, NumbersFormatWithTheConvertedPrecision)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // 1e300 printed in full, cut to its first 255 characters (worked out
    // with Python's "%.0f" % 1e300).
    const std::string hugeDigits
        = "100000000000000005250476025520442024870446858110815915491585411551180245798890819578637"
          "137508044786404370444383288387817694252323536043057564479218478670698284838720092657"
          "580373783023379478809005936895323497079994508111903896764088007465274278014249457925";
    const NumberCase cases[] = {
        {20200928, 0, "20200928"},
        {2.5, 1.99995, "2.50"},
        {0.125, 2.99995, "0.125"},
        {1.25, -1, "1.250000"},
        {1.25, -0.5, "1"},
        {1.25, nan, "1"},
        {1.25, inf, "1.25" + std::string(251, '0')},
        {1.25, -inf, "1.250000"},
        {1.25, 3e9, "1.25" + std::string(251, '0')},
        {1.25, -3e9, "1.250000"},
        {1.5, 300, "1.5" + std::string(252, '0')},
        {1e300, 0, hugeDigits},
    };
    paint();
    for (const NumberCase& c : cases) {
        services.clear();
        effect.drawNumber(c.value, c.decimals);
        EXPECT_EQ(drawnStrings(), std::vector<std::string>{c.text}) << c.value << " with " << c.decimals;
    }
}

// Colour bytes: component x 255, moved 0.0001 away from zero, truncated and
// kept within 0..255, however far outside that a component lies; a NaN is 0.
TEST_F(DisplaySection, ColourComponentsBecomeBytesForEveryValue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, int> cases[] = {
        {0, 0},     {1, 255},  {0.5, 127},  {1.0 / 255, 1}, {0.99999 / 255, 1}, {0.9998 / 255, 0},
        {-0.5, 0},  {2, 255},  {1e6, 255},  {1e300, 255},   {-1e300, 0},        {nan, 0},
        {inf, 255}, {-inf, 0}, {1e-300, 0}, {8421505, 255}, {-8421505, 0},
    };
    for (const auto& [component, byte] : cases) {
        effect.script.colorR = component;
        effect.script.colorG = component;
        effect.script.colorB = 0.2;
        effect.script.colorA = 1;
        services.clear();
        effect.drawLine(0, 0, 1, 1, 1);
        const auto colour = services.callsTo("vestSetFrameColor").at(0);
        EXPECT_EQ(colour.arguments[0].integer, byte) << component;
        EXPECT_EQ(colour.arguments[1].integer, byte) << component;
        EXPECT_EQ(colour.arguments[2].integer, 51) << component;
        EXPECT_EQ(colour.arguments[3].integer, 255) << component;
    }
}

TEST_F(DisplaySection, LinesAreAntialiasedFromOneHalfAndLeaveThePositionAtTheirEnd)
{
    const std::pair<double, int> cases[]
        = {{1, 3}, {0.5, 3}, {0.49, 0}, {0, 0}, {-1, 0}, {std::numeric_limits<double>::quiet_NaN(), 3}};
    for (const auto& [antialias, mode] : cases) {
        services.clear();
        effect.drawLine(1.5, 2.5, -3.25, 4, antialias);
        EXPECT_EQ(callTexts(),
                  (Calls{"vestSetFrameColor(0, 0, 0, 0)", "vestSetDrawMode(" + std::to_string(mode) + ")",
                         "vestMoveTo(1.5, 2.5)", "vestLineTo(-3.25, 4)"}));
        EXPECT_EQ(effect.gfxX, -3.25);
        EXPECT_EQ(effect.gfxY, 4.0);
    }
}

// fillRect: the far corner (each 0 when not finite) becomes the position;
// every edge goes down to its whole pixel, an edge beyond the 32-bit range
// stays at its end of that range, so that no rectangle turns inside out, and
// a NaN edge is 0.
struct RectCase {
    double x, y, w, h;
    double left, top, right, bottom;
    double endX, endY;
};

TEST_F(DisplaySection, RectanglesFillWholePixelsForEveryValue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const RectCase cases[] = {
        {300, 100, 100, 100, 300, 100, 400, 200, 400, 200},
        {130.5, 120.75, 43, 61.5, 130, 120, 173, 182, 173.5, 182.25},
        {-0.5, -2.25, 0.25, 1, -1, -3, -1, -2, -0.25, -1.25},
        {nan, 1, 2, nan, 0, 1, 0, 0, 0, 0},
        {inf, -inf, 1, 1, 2147483647, -2147483648, 0, 0, 0, 0},
        {1e300, 5, -1e300, 1e10, 2147483647, 5, 0, 2147483647, 0, 1e10 + 5},
        {-3e9, 0, 1e9, 0, -2147483648, 0, -2000000000, 0, -2e9, 0},
        {-5e9, -2147483648.5, 1e10, 4294967296, -2147483648, -2147483648, 2147483647, 2147483647, 5e9, 2147483647.5},
    };
    for (const RectCase& c : cases) {
        services.clear();
        effect.fillRect(c.x, c.y, c.w, c.h);
        const auto rect = services.callsTo("vestDrawRect").at(0);
        EXPECT_EQ(rect.text(), "vestDrawRect(" + expected_calls::rect(c.left, c.top, c.right, c.bottom) + ", 1)")
            << c.x << ", " << c.y << ", " << c.w << ", " << c.h;
        EXPECT_EQ(effect.gfxX, c.endX);
        EXPECT_EQ(effect.gfxY, c.endY);
    }
}

// ---- The buttons, driven through the mouse state ----

// Button centres: AutoWidth, AutoSpeed, AutoDepth.
constexpr double kWidthX = 300, kSpeedX = 350, kDepthX = 400, kButtonY = 270;
constexpr double kLeft = kMouseCapLeft;

class DisplayButtons : public PaintedEffect {
protected:
    void SetUp() override
    {
        PaintedEffect::SetUp();
        for (int32_t image = 0; image < 3; ++image)
            services.answers.resourceIds[image] = {100, 20};
        // The slider section would put the host's rate back: this shows
        // whether it ran.
        effect.script.sampleRate = -1;
    }

    void TearDown() override
    {
        EXPECT_EQ(effect.script.sampleRate, -1.0) << "the slider section ran";
        PaintedEffect::TearDown();
    }

    double parameter(int slot) const { return effect.sliders[static_cast<size_t>(slot)]; }
};

TEST_F(DisplayButtons, OnePressTogglesAutoWidthOnceHoweverLongItIsHeld)
{
    for (int frame = 0; frame < 5; ++frame)
        paint(kLeft, kWidthX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 1.0);
    EXPECT_EQ(effect.script.buttonLatch, 1.0);

    paint();
    EXPECT_EQ(effect.script.buttonLatch, 0.0);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 1.0);

    paint(kLeft, kWidthX, kButtonY);
    paint(kLeft, kWidthX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 0.0);
}

TEST_F(DisplayButtons, CyclingButtonsStepThroughZeroOneTwo)
{
    setParameters(0, 2, 0);
    paint(kLeft, kSpeedX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 0.0) << "2 wraps to 0";
    EXPECT_EQ(drawnStrings()[3], "FAST") << "drawn before the click";
    paint();
    EXPECT_EQ(drawnStrings()[3], "TIME");

    const double depthSteps[] = {1, 2, 0, 1};
    for (const double expected : depthSteps) {
        paint(kLeft, kDepthX, kButtonY);
        paint();
        EXPECT_EQ(parameter(TZarkuneEffect::kAutoDepth), expected);
    }
    EXPECT_EQ(drawnStrings()[4], "NARO");
}

// A press that changes nothing: not the left button alone, or not inside a
// button (left <= x < left + 40, 250 <= y < 290).
struct PressCase {
    double cap, x, y;
    bool toggles;
};

TEST_F(DisplayButtons, OnlyALeftPressInsideAButtonCounts)
{
    const PressCase cases[] = {
        {kLeft, 280, 250, true},
        {kLeft, 319.99, 289.99, true},
        {kLeft + 0.000009, 300, 270, true},
        {kMouseCapRight, 300, 270, false},
        {kMouseCapLeft | kMouseCapShift, 300, 270, false},
        {kMouseCapLeft | kMouseCapControl, 300, 270, false},
        {kMouseCapLeft | kMouseCapAlt, 300, 270, false},
        {kMouseCapLeft | kMouseCapMiddle, 300, 270, false},
        {kMouseCapMiddle, 300, 270, false},
        {kLeft, 279.99, 270, false},
        {kLeft, 320, 270, false},
        {kLeft, 300, 249.99, false},
        {kLeft, 300, 290, false},
        {kLeft, std::numeric_limits<double>::quiet_NaN(), 270, false},
    };
    for (const PressCase& c : cases) {
        setParameters(0, 0, 0);
        paint(c.cap, c.x, c.y);
        EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), c.toggles ? 1.0 : 0.0)
            << "mouse " << c.cap << " at " << c.x << ", " << c.y;
        EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 0.0);
        EXPECT_EQ(parameter(TZarkuneEffect::kAutoDepth), 0.0);
        paint();
    }
}

TEST_F(DisplayButtons, APressDraggedOntoAButtonCountsOnceTheLatchIsClear)
{
    paint(kLeft, 10, 10); // pressed on the background
    EXPECT_EQ(effect.script.buttonLatch, 0.0);
    paint(kLeft, kDepthX, kButtonY); // dragged onto AutoDepth
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoDepth), 1.0);

    // Still held: dragged on to the other buttons, it does nothing more.
    paint(kLeft, kSpeedX, kButtonY);
    paint(kLeft, kWidthX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 0.0);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 0.0);

    // Neither another button nor a release between two paints, which the
    // section never sees, clears the latch: only a paint with no button down.
    paint(kMouseCapRight, kSpeedX, kButtonY);
    paint(kLeft, kSpeedX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 0.0);

    paint();
    paint(kLeft, kSpeedX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 1.0);
}

TEST_F(DisplayButtons, AutoWidthBetweenZeroAndOneMatchesNeitherTest)
{
    setParameters(0.5, 0, 0);
    paint(kLeft, kWidthX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 0.5);
    EXPECT_EQ(effect.script.buttonLatch, 0.0);
    // Not latched: the same press dragged onto AutoSpeed counts.
    paint(kLeft, kSpeedX, kButtonY);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 1.0);
}

TEST_F(DisplayButtons, TheHostIsNotTold)
{
    for (const double x : {kWidthX, kSpeedX, kDepthX}) {
        paint(kLeft, x, kButtonY);
        for (const std::string& name : services.callNames()) {
            EXPECT_NE(name, "vestSetParameterAutomated");
            EXPECT_NE(name, "vestUpdateDisplay");
        }
        paint();
    }
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoWidth), 1.0);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoSpeed), 1.0);
    EXPECT_EQ(parameter(TZarkuneEffect::kAutoDepth), 1.0);
}

} // namespace
