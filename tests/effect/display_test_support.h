#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "debug_log_capture.h"
#include "effect_test_support.h"

// The width of every character the recording services measure.
constexpr double kCharWidth = 7;

// An opened effect whose display paints with the recording services: a draw
// context is current and every character is 7 pixels wide. The debug log
// goes to a scratch file and the beeps are recorded.
class PaintedEffect : public OpenedEffect {
protected:
    void SetUp() override
    {
        OpenedEffect::SetUp();
        open();
        services.answers.drawing = true;
        services.answers.charWidth = kCharWidth;
    }

    // One paint, with the mouse as the shell's mouse callbacks left it; the
    // calls of earlier paints are forgotten first.
    void paint(double mouseCap = 0, double mouseX = 0, double mouseY = 0)
    {
        effect.mouseCap = mouseCap;
        effect.mouseX = mouseX;
        effect.mouseY = mouseY;
        services.clear();
        effect.doGfx();
    }

    // The recorded calls as written, e.g. vestMoveTo(550, 150).
    std::vector<std::string> callTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& call : services.calls())
            texts.push_back(call.text());
        return texts;
    }

    // The texts drawn by vestDrawString, in order.
    std::vector<std::string> drawnStrings() const
    {
        std::vector<std::string> texts;
        for (const auto& call : services.callsTo("vestDrawString"))
            texts.push_back(call.arguments[0].string);
        return texts;
    }

    DebugLogCapture logCapture;
};

// Expected calls, written the way RecordedCall::text() writes them.
namespace expected_calls {

struct Color {
    int r, g, b, a;
};

using Calls = std::vector<std::string>;

inline std::string number(double v)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

inline std::string colorArguments(const Color& c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", "
        + std::to_string(c.a) + ")";
}

inline std::string rect(double left, double top, double right, double bottom)
{
    return number(left) + ", " + number(top) + ", " + number(right) + ", " + number(bottom);
}

// A filled rectangle in the colour, as fillRect draws it.
inline Calls fill(const Color& c, double left, double top, double right, double bottom)
{
    return {"vestSetFillColor" + colorArguments(c), "vestSetDrawMode(0)",
            "vestDrawRect(" + rect(left, top, right, bottom) + ", 1)"};
}

// One line of text at (x, y), as the text routines draw it with characters of
// charWidth pixels and a line height of lineHeight.
inline Calls text(const Color& c, const std::string& s, double x, double y, double charWidth, double lineHeight)
{
    const double right = x + static_cast<double>(s.size()) * charWidth;
    return {"vestSetFontColor" + colorArguments(c), "vestSetDrawMode(3)", "vestGetStringWidth(\"" + s + "\")",
            "vestDrawString(\"" + s + "\", " + rect(x, y, right, y + lineHeight + 2) + ", 0, 0)"};
}

// An antialiased line in the colour.
inline Calls line(const Color& c, double x1, double y1, double x2, double y2)
{
    return {"vestSetFrameColor" + colorArguments(c), "vestSetDrawMode(3)",
            "vestMoveTo(" + number(x1) + ", " + number(y1) + ")", "vestLineTo(" + number(x2) + ", " + number(y2) + ")"};
}

inline void append(Calls& to, const Calls& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace expected_calls
