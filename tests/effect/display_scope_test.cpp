// The scope path from the audio to the screen, held to values worked out
// apart from the code: the peak level, the zoom, the zoomed meters and the
// 21 history points after a known input, and the lines and level box the
// display draws of them.
#include <string>
#include <vector>

#include "display_test_support.h"
#include "reference_audio.h"
#include "reference_scope.h"

namespace {

using namespace reference_scope;

class DisplayScope : public PaintedEffect {
protected:
    void SetUp() override
    {
        PaintedEffect::SetUp();
        open(static_cast<float>(kSampleRate));
        for (int32_t image = 0; image < 3; ++image)
            services.answers.resourceIds[image] = {100, 20};
        setParameters(kAutoWidth, kAutoSpeed, kAutoDepth);
    }

    void runReferenceInput()
    {
        for (int n = 0; n < kFrames; ++n)
            frame(reference_audio::referenceLeft(n), reference_audio::referenceRight(n));
    }
};

TEST_F(DisplayScope, TheSampleSectionLeavesTheReferenceScope)
{
    // A stale rate from before: the sample section takes the host's rate on
    // every frame.
    effect.script.sampleRate = 8000;
    runReferenceInput();

    const EffectScriptVariables& v = effect.script;
    EXPECT_EQ(v.peakLevel, kPeakLevel);
    EXPECT_EQ(v.scopeZoom, kScopeZoom);
    EXPECT_EQ(v.midMeter, kMidMeter);
    EXPECT_EQ(v.sideMeter, kSideMeter);
    EXPECT_EQ(v.midMeterZoomed, kMidMeterZoomed);
    EXPECT_EQ(v.sideMeterZoomed, kSideMeterZoomed);
    for (size_t k = 0; k < 21; ++k) {
        EXPECT_EQ(v.history[k].historyX, kHistory[k].x) << "point " << k;
        EXPECT_EQ(v.history[k].historyY, kHistory[k].y) << "point " << k;
    }
}

TEST_F(DisplayScope, TheDisplayDrawsTheReferenceHistoryAndLevels)
{
    runReferenceInput();
    paint();

    // Lines: eight spokes of each scope, then the history, then the border.
    const auto moves = services.callsTo("vestMoveTo");
    const auto lines = services.callsTo("vestLineTo");
    ASSERT_EQ(lines.size(), 8u + 8u + 21u + 4u);
    const auto historyColor = services.callsTo("vestSetFrameColor")[16];
    EXPECT_EQ(historyColor.text(), "vestSetFrameColor(0, 255, 255, 76)");
    for (size_t k = 0; k < 21; ++k) {
        EXPECT_EQ(moves[16 + k].text(), "vestMoveTo(550, 150)") << "point " << k;
        EXPECT_EQ(lines[16 + k].arguments[0].real, kHistoryLineEnds[k].x) << "point " << k;
        EXPECT_EQ(lines[16 + k].arguments[1].real, kHistoryLineEnds[k].y) << "point " << k;
    }

    // Rectangles: the overlay, the button fills (AutoWidth lit, AutoSpeed 0,
    // AutoDepth 2 lit), then the two bands and the level box.
    const auto rects = services.callsTo("vestDrawRect");
    const auto fills = services.callsTo("vestSetFillColor");
    ASSERT_EQ(rects.size(), 1u + 2u + 1u + 2u + 3u);
    ASSERT_EQ(fills.size(), rects.size());
    const size_t bands = rects.size() - 3;
    EXPECT_EQ(rects[bands].text(), "vestDrawRect(110, 50, 190, 250, 1)");
    EXPECT_EQ(rects[bands + 1].text(), "vestDrawRect(50, 110, 250, 190, 1)");
    const auto& box = rects[bands + 2].arguments;
    EXPECT_EQ((std::vector<double>{box[0].real, box[1].real, box[2].real, box[3].real}),
              (std::vector<double>{kLevelBox[0], kLevelBox[1], kLevelBox[2], kLevelBox[3]}));
    for (size_t i = 0; i < 3; ++i)
        for (size_t c = 0; c < 4; ++c)
            EXPECT_EQ(fills[bands + i].arguments[c].integer, kLevelColors[i][c]) << "band " << i << ", byte " << c;
}

} // namespace
