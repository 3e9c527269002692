#pragma once

#include <array>
#include <string>

#include "zarkune.h"

// One point of the scope history: the newest frame seen during its 1/20 s
// slice, multiplied by the scope zoom.
struct HistoryPoint {
    double historyX = 0.0;
    double historyY = 0.0;
};

// The script's variables: all doubles, all 0 after reset. Only those that
// carry behaviour are kept; the script's others are never read.
struct EffectScriptVariables {
    static constexpr int kHistoryPoints = 21;

    // Current drawing colour, each nominally 0..1.
    double colorR = 0.0, colorG = 0.0, colorB = 0.0, colorA = 0.0;
    // The rate the sample section works with, and the host's as doInit read it.
    double sampleRate = 0.0;
    double hostSampleRate = 0.0;
    double versionNumber = 0.0;
    // Added to both inputs so that silence never decays into subnormal values.
    double denormalOffset = 0.0;
    double serializeIndex = 0.0;

    // The frame being worked on: the input, then the recombined pair.
    double sampleL = 0.0, sampleR = 0.0;
    double stepScale = 0.0;
    double inputLevel = 0.0;
    double midFactor = 0.0, midReduction = 0.0;
    double sideFactor = 0.0, sideReduction = 0.0;
    double sideGain = 0.0;
    double outputLevel = 0.0;
    double autoGain = 0.0;
    double peakLevel = 0.0;
    // Frames counted within the current second, and the history point they
    // fall on (0 to 20; -1, matching no point, when the rate gives none).
    double historyCounter = 0.0, historyIndex = 0.0;
    double scopeZoom = 0.0;
    std::array<HistoryPoint, kHistoryPoints> history{};
    double levelRate = 0.0, reductionRate = 0.0;
    double midLevel = 0.0, midMeter = 0.0, midMeterZoomed = 0.0;
    double sideLevel = 0.0, sideMeter = 0.0, sideMeterZoomed = 0.0;
    double outputLimit = 0.0;
    double clipFlag = 0.0;

    // The display's state.
    double windowWidth = 0.0, windowHeight = 0.0;
    double glowAlpha = 0.0, glowPhase = 0.0;
    double buttonX = 0.0, buttonY = 0.0;
    double buttonLatch = 0.0;
    double scopeLeftX = 0.0, scopeLeftY = 0.0;
    double scopeRightX = 0.0, scopeRightY = 0.0;

    // What the host reported beyond the sample rate. Nothing reads these; the
    // queries are part of what a host sees of the init and block sections.
    double hostInputCount = 0.0, hostBlockSize = 0.0, hostTempo = 0.0;
    double hostTimeSigNumerator = 0.0, hostTimeSigDenominator = 0.0;
    double hostPlayState = 0.0; // 1 playing, + 4 recording
    double hostPpqPos = 0.0;
};

// The stereo width effect: mid/side recombination with level followers, its
// meters and scope history, its parameters and state chunk, and the display
// that draws them and whose three buttons set the parameters.
class TZarkuneEffect : public TZarkune {
public:
    // Slider numbers of the three parameters.
    static constexpr int kAutoWidth = 1;
    static constexpr int kAutoSpeed = 2;
    static constexpr int kAutoDepth = 3;

    EffectScriptVariables script;

    TZarkuneEffect();
    ~TZarkuneEffect() override = default;

    void doSlider() override;
    void doBlock() override;
    // One frame in the sample slots 0 and 1: the same section as processFrames
    // runs over a block.
    void doSample() override;
    // Two channels run through the sample section frame by frame in one loop;
    // other channel counts as the runtime runs them.
    void processFrames(float* const* inputs, float* const* outputs, int32_t frames, int32_t channels) override;
    void processFrames(double* const* inputs, double* const* outputs, int32_t frames, int32_t channels) override;
    void reset() override;
    void doInit() override;
    void doGfx() override;
    void doSerialize() override;

    // The display's drawing routines. Each draws in the current colour
    // (script.colorR to colorA, 0..1) and leaves the drawing position
    // (gfxX, gfxY) where the next drawing continues. [GUI thread]

    // String number n at the drawing position, one line per "\n"-separated
    // piece; the position ends after the last piece.
    void drawText(double n);
    // The value with the given number of decimals, laid out as drawText does.
    void drawNumber(double value, double decimals);
    // A line; antialiased unless antialias < 0.5. The position ends at (x2, y2).
    void drawLine(double x1, double y1, double x2, double y2, double antialias);
    // A filled rectangle on whole pixels. The position ends at its far corner.
    void fillRect(double x, double y, double w, double h);

private:
    // The followers' per-frame steps depend only on the sample rate and the
    // two chosen rates, so they are worked out again only when one changes.
    struct FollowerSteps {
        bool workedOut = false;
        double sampleRate = 0.0, levelRate = 0.0, reductionRate = 0.0; // worked out for
        double stepScale = 0.0;
        double tenth = 0.0; // step(0.1)
        double hundredth = 0.0; // step(0.01)
        double level = 0.0; // step(levelRate)
        double reduction = 0.0; // step(reductionRate)
    };

    const FollowerSteps& followerSteps();

    // Display helpers (display_section.cpp).
    void setColor(double r, double g, double b, double a);
    void drawTextLines(const std::string& text);
    void drawImage(int32_t n, double x, double y);
    void drawButtons(double mouseCap, double mouseX, double mouseY);
    void drawScopes();
    void drawBorder();

    // What the parameters choose for the frames: the rates, the side gain and
    // the followers' steps. A parameter that matches no row keeps its choice.
    struct Choices;
    Choices choicesFor(double autoWidth, double autoSpeed, double autoDepth);

    // The sample section over `frames` stereo frames (at least one); the
    // outputs may be the inputs.
    template <class Sample>
    void runStereo(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight, int32_t frames);

    FollowerSteps steps_;
};
