// The graphics section: the whole 700 x 300 display, drawn anew on every
// paint of the editor's view, and the three buttons, which read the mouse as
// they are drawn. Everything reaches the screen through the drawing services
// on the plug-in's current draw context.
//
// Every double that becomes an integer here (colour bytes, font size,
// precision, rectangle edges) goes through scriptToInt32, which saturates a
// value beyond 32 bits (a huge colour component is still a full byte, a far
// edge still far) and gives 0 for a NaN, rather than undefined behaviour.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "effect.h"
#include "script_values.h"
#include "services.h"
#include "value_guards.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The display's font face, the version prefix and the button labels.
constexpr int32_t kFontFaceString = 10000;
constexpr double kVersionPrefixString = 10001;
constexpr double kAutoLabel = 10002;
constexpr double kAutoLitLabel = 10003;

// The row of three buttons: their left edges, top, size and label line.
constexpr double kWidthButtonLeft = 280;
constexpr double kSpeedButtonLeft = 330;
constexpr double kDepthButtonLeft = 380;
constexpr double kButtonTop = 250;
constexpr double kButtonSize = 40;
constexpr double kLabelTop = 248;

// A digit beyond the text buffer cannot show, so no larger precision is asked
// of the formatter.
constexpr int32_t kMaxPrecision = 255;

struct ColorBytes {
    int32_t r, g, b, a;
};

// A colour component (nominally 0..1) as a byte.
int32_t colorByte(double component)
{
    return std::clamp(scriptToInt32(component * 255), 0, 255);
}

// A rectangle edge on the whole pixel at or before it.
double wholePixel(double edge)
{
    return scriptToInt32(std::floor(edge));
}

// A spoke of a scope, relative to its centre: four axes of 125 pixels, then
// the diagonals to the corners of a 200 x 200 square.
struct Spoke {
    double dx, dy;
};
constexpr Spoke kScopeSpokes[] = {
    {0, -125}, {-125, 0}, {125, 0}, {0, 125}, {-100, -100}, {100, -100}, {100, 100}, {-100, 100},
};

ColorBytes colorBytesOf(const EffectScriptVariables& v)
{
    return {colorByte(v.colorR), colorByte(v.colorG), colorByte(v.colorB), colorByte(v.colorA)};
}

} // namespace

void TZarkuneEffect::setColor(double r, double g, double b, double a)
{
    script.colorR = r;
    script.colorG = g;
    script.colorB = b;
    script.colorA = a;
}

void TZarkuneEffect::drawTextLines(const std::string& text)
{
    const ColorBytes color = colorBytesOf(script);
    vestSetFontColor(vest, color.r, color.g, color.b, color.a);
    vestSetDrawMode(vest, 3);
    // Every line starts at the same x; only the last one moves it on.
    for (std::string::size_type start = 0;;) {
        const std::string::size_type end = text.find('\n', start);
        const std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const double width = vestGetStringWidth(vest, piece.c_str());
        vestDrawString(vest, piece.c_str(), gfxX, gfxY, gfxX + width, gfxY + fontHeight + 2, false, 0);
        if (end == std::string::npos) {
            gfxX += width;
            return;
        }
        gfxY += fontHeight;
        start = end + 1;
    }
}

void TZarkuneEffect::drawText(double n)
{
    drawTextLines(stringAt(scriptToInt32(n)));
}

void TZarkuneEffect::drawNumber(double value, double decimals)
{
    // A negative precision is the formatter's default of six decimals. A
    // longer text is cut to what the buffer holds.
    const int32_t precision = std::min(scriptToInt32(decimals), kMaxPrecision);
    char text[256];
    if (std::snprintf(text, sizeof text, "%.*f", precision, value) < 0)
        text[0] = '\0';
    text[sizeof text - 1] = '\0';
    drawTextLines(text);
}

void TZarkuneEffect::drawLine(double x1, double y1, double x2, double y2, double antialias)
{
    const ColorBytes color = colorBytesOf(script);
    vestSetFrameColor(vest, color.r, color.g, color.b, color.a);
    vestSetDrawMode(vest, antialias < 0.5 ? 0 : 3);
    vestMoveTo(vest, x1, y1);
    gfxY = y2;
    gfxX = x2;
    vestLineTo(vest, x2, y2);
}

void TZarkuneEffect::fillRect(double x, double y, double w, double h)
{
    gfxX = finiteOrZero(x + w);
    gfxY = finiteOrZero(y + h);
    const ColorBytes color = colorBytesOf(script);
    vestSetFillColor(vest, color.r, color.g, color.b, color.a);
    vestSetDrawMode(vest, 0);
    vestDrawRect(vest, wholePixel(x), wholePixel(y), wholePixel(gfxX), wholePixel(gfxY), 1);
}

void TZarkuneEffect::drawImage(int32_t n, double x, double y)
{
    const ImageSlot& image = getImage(n);
    const double right = x + finiteOrZero(image.width);
    const double bottom = y + finiteOrZero(image.height);
    if (vestDrawBitmap(image.bitmap, vest, x, y, right, bottom, 0, 0))
        return;
    // An image that cannot be drawn shows as a red box saying so; one that
    // never loaded has no size, and its box is empty.
    vestSetFillColor(vest, 255, 0, 0, 255);
    vestDrawRect(vest, x, y, right, bottom, 1);
    vestSetFontColor(vest, 255, 255, 0, 255);
    vestDrawString(vest, "ERROR", x, y, right, bottom, false, 1);
}

void TZarkuneEffect::drawButtons(double mouseCapCopy, double mouseXCopy, double mouseYCopy)
{
    EffectScriptVariables& v = script;
    v.buttonX = 180;
    v.buttonY = 100;
    // A click is the left button alone, no modifier, over the button, and
    // only once per press: the latch holds until every button is released.
    const auto clickOn = [&](double left) {
        return left <= mouseXCopy && mouseXCopy < left + kButtonSize && kButtonTop <= mouseYCopy
            && mouseYCopy < kButtonTop + kButtonSize && isValue(mouseCapCopy, kMouseCapLeft)
            && isValue(v.buttonLatch, 0);
    };
    const auto releaseLatch = [&] {
        if (isValue(mouseCapCopy, 0))
            v.buttonLatch = 0;
    };
    const auto label = [&](double left, double string) {
        gfxX = left;
        gfxY = kLabelTop;
        drawText(string);
    };

    // AutoWidth toggles. A value between 0 and 1 (restored from a chunk)
    // matches neither test and stays.
    double& autoWidth = sliders[kAutoWidth];
    setColor(0.5, 0.5, 0, 0.5);
    fillRect(kWidthButtonLeft, kButtonTop, kButtonSize, kButtonSize);
    label(kWidthButtonLeft, kAutoLabel);
    if (isValue(autoWidth, 1)) {
        setColor(0.6, 0.6, 0.3, 0.8);
        fillRect(kWidthButtonLeft, kButtonTop, kButtonSize, kButtonSize);
        label(kWidthButtonLeft, kAutoLitLabel);
    }
    if (isValue(autoWidth, 0) && clickOn(kWidthButtonLeft)) {
        autoWidth = 1;
        v.buttonLatch = 1;
    }
    if (isValue(autoWidth, 1) && clickOn(kWidthButtonLeft)) {
        autoWidth = 0;
        v.buttonLatch = 1;
    }
    releaseLatch();

    // AutoSpeed and AutoDepth cycle 0, 1, 2: 1 lights the left half, 2 the
    // whole button. The host is not told of a click; the new value is what it
    // reads back.
    struct CycleButton {
        double left;
        int slot;
        double labels[3];
    };
    const CycleButton cycleButtons[] = {
        {kSpeedButtonLeft, kAutoSpeed, {10004, 10005, 10006}}, // TIME, SLOW, FAST
        {kDepthButtonLeft, kAutoDepth, {10007, 10008, 10009}}, // SIDE, NARO, WIDE
    };
    for (const CycleButton& button : cycleButtons) {
        double& value = sliders[static_cast<size_t>(button.slot)];
        setColor(0, 0.5, 0.5, 0.5);
        fillRect(button.left, kButtonTop, kButtonSize, kButtonSize);
        if (isValue(value, 0)) {
            setColor(0, 0.5, 0.5, 0.5);
            label(button.left, button.labels[0]);
        }
        if (isValue(value, 1)) {
            setColor(0.3, 0.6, 0.6, 0.8);
            fillRect(button.left, kButtonTop, kButtonSize / 2, kButtonSize);
            label(button.left, button.labels[1]);
        }
        if (isValue(value, 2)) {
            setColor(0.3, 0.6, 0.6, 0.8);
            fillRect(button.left, kButtonTop, kButtonSize, kButtonSize);
            label(button.left, button.labels[2]);
        }
        if (clickOn(button.left)) {
            const double next = finiteOrZero(value + 1);
            value = next > 2 ? 0 : next;
            v.buttonLatch = 1;
        }
        releaseLatch();
    }
}

void TZarkuneEffect::drawScopes()
{
    EffectScriptVariables& v = script;

    // Left scope: axes, then a vertical band for the mid level, a horizontal
    // one for the side level, and a box whose width follows the zoomed side
    // meter and whose height the zoomed mid meter.
    v.scopeLeftX = 150;
    v.scopeLeftY = 150;
    setColor(0, 0, 1, 0.5);
    for (const Spoke& spoke : kScopeSpokes)
        drawLine(v.scopeLeftX, v.scopeLeftY, v.scopeLeftX + spoke.dx, v.scopeLeftY + spoke.dy, 1);
    setColor(0, 0.5, 0.5, std::fmin(0.5, std::fmax(0.2, v.midMeter)));
    fillRect(110, 50, 80, 200);
    setColor(0.75, 0.5, 0, std::fmin(0.5, std::fmax(0.01, v.sideMeter - v.midMeter)));
    fillRect(50, 110, 200, 80);
    setColor(std::fmin(0.75, std::fmax(0.3, v.sideMeter)), std::fmin(0.75, std::fmax(0.3, v.midMeter)), 0.25, 0.5);
    fillRect(151 - v.sideMeterZoomed * 0.5, 151 - v.midMeterZoomed * 0.5, v.sideMeterZoomed + 2, v.midMeterZoomed + 1);

    // Right scope: axes, then a line to each history point, turned by 45
    // degrees so that equal left and right lie on the vertical axis.
    v.scopeRightX = 550;
    v.scopeRightY = 150;
    setColor(0, 0, 1, 0.5);
    for (const Spoke& spoke : kScopeSpokes)
        drawLine(v.scopeRightX, v.scopeRightY, v.scopeRightX + spoke.dx, v.scopeRightY + spoke.dy, 1);
    setColor(0, 1, 1, 0.3);
    for (const HistoryPoint& point : v.history)
        drawLine(v.scopeRightX, v.scopeRightY, v.scopeRightX - point.historyX + point.historyY,
                 v.scopeRightY - point.historyX - point.historyY, 1);
}

void TZarkuneEffect::drawBorder()
{
    const double right = script.windowWidth - 1;
    const double bottom = script.windowHeight - 1;
    gfxX = gfxY = 0;
    setColor(0, 0, 1, 0.5);
    drawLine(0, 0, right, 0, 1);
    drawLine(right, 0, right, bottom, 1);
    drawLine(right, bottom, 0, bottom, 1);
    drawLine(0, bottom, 0, 0, 1);
}

void TZarkuneEffect::doGfx()
{
    EffectScriptVariables& v = script;
    // The buttons test one view of the mouse, taken before anything is drawn.
    const double mouseCapCopy = finiteOrZero(mouseCap);
    const double mouseXCopy = finiteOrZero(mouseX);
    const double mouseYCopy = finiteOrZero(mouseY);

    setColor(0, 0, 0, 1);
    gfxX = gfxY = 0;

    fontHeight = (0.85 * 13) / 0.85;
    FontSlot& font = fonts[0];
    font.face = stringAt(kFontFaceString);
    font.size = std::fmax(0.85 * 13, 1);
    font.flags = 0;
    const int32_t fontSize = scriptToInt32(font.size);
    if (!vestSetFont(vest, font.face.c_str(), fontSize, font.flags))
        vestSetFont(vest, "verdana", fontSize, font.flags);

    v.windowWidth = 700;
    v.windowHeight = 300;

    // The overlay on the logo pulses: its alpha swings between 0 and 0.4,
    // one step of the phase per drawn frame.
    v.glowAlpha = std::cos(v.glowPhase) * 0.2 + 0.2;
    v.glowPhase += 0.07;
    if (v.glowPhase >= kTwoPi)
        v.glowPhase -= kTwoPi;

    gfxX = 300;
    gfxY = 100;
    drawImage(0, 300, 100);
    setColor(0, 0, 0, v.glowAlpha);
    fillRect(300, 100, 100, 100);

    gfxX = 310;
    gfxY = 90;
    setColor(0, 0, 0.95, 0.95);
    drawText(kVersionPrefixString);
    drawNumber(v.versionNumber, 0);

    if (!isValue(sliders[kAutoWidth], 0)) {
        gfxX = 300;
        gfxY = 230;
        drawImage(1, 300, 230);
    }
    if (!isValue(v.clipFlag, 0)) {
        gfxX = 300;
        gfxY = 40;
        drawImage(2, 300, 40);
    }

    drawButtons(mouseCapCopy, mouseXCopy, mouseYCopy);
    drawScopes();
    drawBorder();
}
