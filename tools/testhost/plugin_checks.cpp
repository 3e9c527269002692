// The checks of what a host reads and sets outside the audio path: the
// record and its texts, the programs, parameter values and indices out of
// range, the editor opcodes and closing.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "validator_checks.h"

namespace {

constexpr VstIntPtr kVstVersion = 2400;
constexpr VstInt32 kProbeFrames = 128;
constexpr int kEditorIdleCalls = 20;
constexpr int kEditorOpenings = 2;

// Noise through both paths; the census collects what came out.
void probeAudio(PluginHost& host, RandomSource& random, SampleCensus& census)
{
    processNoiseOnBothPaths(host, random, kProbeFrames, census);
}

void expectFinite(CheckReport& report, const SampleCensus& census, const std::string& after)
{
    report.expect(census.finite(), "audio not finite after " + after + ": " + census.figures());
}

// A program name set by the host and read back.
std::string programNameAfterSetting(PluginHost& host, std::string name)
{
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    host.dispatch(effSetProgramName, 0, 0, text.data());
    return askText(host, effGetProgramName).text;
}

std::string describe(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// A hidden top-level window that an editor can open in; destroyed with it.
class ParentWindow {
public:
    ParentWindow()
        : handle(CreateWindowExW(0, L"STATIC", L"validator", WS_OVERLAPPEDWINDOW, 0, 0, 800, 400, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~ParentWindow()
    {
        if (handle)
            DestroyWindow(handle);
    }
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND handle;
};

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void checkEditorOpenings(PluginHost& host, HWND parent, CheckReport& report)
{
    ERect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    for (int opening = 0; opening < kEditorOpenings; ++opening) {
        report.expect(host.dispatch(effEditOpen, 0, 0, parent) == 1, "the editor did not open");
        pumpMessages();
        report.expect(GetWindow(parent, GW_CHILD) != nullptr, "the open editor made no child window");
        if (!rect)
            host.dispatch(effEditGetRect, 0, 0, &rect);
        for (int i = 0; i < kEditorIdleCalls; ++i) {
            host.dispatch(effEditIdle);
            pumpMessages();
        }
        host.dispatch(effEditClose);
        pumpMessages();
        report.expect(GetWindow(parent, GW_CHILD) == nullptr, "closing the editor left its window");
    }
    if (report.expect(rect != nullptr, "effEditGetRect gave no rectangle")) {
        report.expect(rect->right > rect->left && rect->bottom > rect->top, "the editor's rectangle is empty");
        report.figures << "editor " << rect->right - rect->left << " x " << rect->bottom - rect->top << ", opened "
                       << kEditorOpenings << " times with " << kEditorIdleCalls << " idle calls each";
    }
}

// The stages of an instance's life before it is closed; audio goes into the
// census.
struct Lifecycle {
    const char* what;
    std::function<void(PluginHost& host, RandomSource& random, SampleCensus& census)> stages;
};

} // namespace

void checkInfo(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = createdInstance(context, report);
    if (!host)
        return;
    const AEffect& e = *host->effect();
    report.expect(e.magic == kEffectMagic, "the record's magic is not 'VstP'");
    report.expect(e.dispatcher && e.process && e.setParameter && e.getParameter, "a function of the record is null");
    report.expect(e.numInputs >= 0 && e.numInputs <= 64 && e.numOutputs >= 1 && e.numOutputs <= 64,
                  "channel counts outside 0..64 and 1..64");
    report.expect(e.numParams >= 0 && e.numPrograms >= 0, "a negative parameter or program count");
    report.expect((e.flags & effFlagsCanReplacing) && e.processReplacing, "no 32-bit replacing path");
    report.expect(!(e.flags & effFlagsCanDoubleReplacing) || e.processDoubleReplacing,
                  "the 64-bit path is declared but null");
    host->open();

    const TextAnswer name = askText(*host, effGetEffectName);
    const TextAnswer vendor = askText(*host, effGetVendorString);
    const TextAnswer product = askText(*host, effGetProductString);
    report.expect(name.fitsIn(kVstMaxEffectNameLen), "the effect name runs past 32 bytes");
    report.expect(vendor.fitsIn(kVstMaxVendorStrLen), "the vendor string runs past 64 bytes");
    report.expect(product.fitsIn(kVstMaxProductStrLen), "the product string runs past 64 bytes");
    report.expect(host->dispatch(effGetVstVersion) >= kVstVersion, "a VST version below 2400");

    char knownCapability[] = "receiveVstMidiEvent";
    char unknownCapability[] = "validatorMadeThisUp";
    const VstIntPtr midi = host->dispatch(effCanDo, 0, 0, knownCapability);
    report.expect(midi >= -1 && midi <= 1, "effCanDo answers outside -1..1");
    report.expect(host->dispatch(effCanDo, 0, 0, unknownCapability) != 1, "effCanDo claims an unknown capability");

    std::size_t longestName = 0;
    for (VstInt32 i = 0; i < e.numParams; ++i) {
        const std::string which = "parameter " + std::to_string(i);
        const TextAnswer parameterName = askText(*host, effGetParamName, i);
        longestName = std::max(longestName, parameterName.extent);
        report.expect(parameterName.fitsIn(kParameterNameBytes), which + ": its name runs past 64 bytes");
        report.expect(askText(*host, effGetParamLabel, i).fitsIn(kVstMaxParamStrLen),
                      which + ": its label runs past 8 bytes");
        report.expect(askText(*host, effGetParamDisplay, i).fitsIn(kVstMaxParamStrLen),
                      which + ": its display runs past 8 bytes");
        report.expect(isNormalised(host->getParameter(i)), which + ": its value is outside 0..1");
        const VstIntPtr automatable = host->dispatch(effCanBeAutomated, i);
        report.expect(automatable == 0 || automatable == 1, which + ": effCanBeAutomated answers neither 0 nor 1");
    }
    const std::size_t chunkBytes = host->getChunk().size();
    if (e.flags & effFlagsProgramChunks)
        report.expect(chunkBytes > 0, "programs are chunks, but the chunk is empty");
    report.expect(host->close() == 1, "effClose did not answer 1");

    report.figures << "\"" << name.text << "\" by \"" << vendor.text << "\", inputs " << e.numInputs << ", outputs "
                   << e.numOutputs << ", parameters " << e.numParams << ", programs " << e.numPrograms << ", flags 0x"
                   << std::hex << e.flags << std::dec << ", longest parameter name " << longestName
                   << " bytes (published 8), chunk " << chunkBytes << " bytes";
}

void checkPrograms(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    if (!host)
        return;
    const VstInt32 programs = host->effect()->numPrograms;
    auto inRange = [programs](VstIntPtr program) { return program >= 0 && program < std::max(programs, 1); };
    report.expect(inRange(host->dispatch(effGetProgram)), "the current program is out of range");

    for (VstInt32 p = 0; p < programs; ++p) {
        const std::string which = "program " + std::to_string(p);
        host->dispatch(effSetProgram, 0, p);
        report.expect(host->dispatch(effGetProgram) == p, which + " was not selected");
        report.expect(askText(*host, effGetProgramName).fitsIn(kVstMaxProgNameLen),
                      which + ": its name runs past 24 bytes");
        const TextAnswer indexed = askText(*host, effGetProgramNameIndexed, p);
        report.expect(indexed.answer == 0 || indexed.fitsIn(kVstMaxProgNameLen),
                      which + ": its indexed name runs past 24 bytes");
    }

    const VstIntPtr current = host->dispatch(effGetProgram);
    const VstIntPtr outside[]
        = {programs, programs + 1, -1, std::numeric_limits<VstInt32>::max(), std::numeric_limits<VstInt32>::min()};
    for (VstIntPtr program : outside) {
        host->dispatch(effSetProgram, 0, program);
        report.expect(host->dispatch(effGetProgram) == current,
                      "selecting program " + std::to_string(program) + " changed the current program");
    }

    report.expect(programNameAfterSetting(*host, "Validator") == "Validator", "a program name did not read back");
    report.expect(programNameAfterSetting(*host, "").empty(), "an empty program name did not read back");
    programNameAfterSetting(*host, std::string(300, 'n'));
    report.expect(askText(*host, effGetProgramName).fitsIn(kVstMaxProgNameLen),
                  "a 300-character program name reads back past 24 bytes");
    host->dispatch(effSetProgramName); // a null name
    report.expect(askText(*host, effGetProgramName).fitsIn(kVstMaxProgNameLen), "a null program name broke the name");

    report.figures << "programs " << programs << ", each selected and named; " << std::size(outside)
                   << " selections out of range ignored, names of 0, 9 and 300 characters and a null name set";
}

void checkParameters(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    if (!host)
        return;
    RandomSource random = context.randomFor("parameters");
    const VstInt32 count = host->effect()->numParams;
    SampleCensus census;
    int ignored = 0, bounded = 0;

    for (VstInt32 i = 0; i < count; ++i) {
        for (float value : kHostileFloats) {
            const std::string what = "parameter " + std::to_string(i) + " = " + describe(value);
            const float start = static_cast<float>(random.unit());
            host->setParameter(i, start);
            const std::vector<float> before = parametersOf(*host);
            host->setParameter(i, value);
            const std::vector<float> after = parametersOf(*host);
            for (VstInt32 j = 0; j < count; ++j) {
                report.expect(isNormalised(after[j]), what + ": a value outside 0..1 reads back");
                report.expect(j == i || after[j] == before[j], what + ": another parameter changed");
            }
            report.expect(askText(*host, effGetParamDisplay, i).fitsIn(kVstMaxParamStrLen),
                          what + ": the display runs past 8 bytes");
            SampleCensus afterValue;
            probeAudio(*host, random, afterValue);
            expectFinite(report, afterValue, what);
            census.add(afterValue);

            // Bounded means taken as the nearer end of 0..1; a NaN has none.
            std::vector<float> ends;
            for (float end : {0.0f, 1.0f}) {
                if (std::isnan(value) || (value < 0.5f) == (end == 0.0f)) {
                    host->setParameter(i, start);
                    host->setParameter(i, end);
                    ends.push_back(host->getParameter(i));
                }
            }
            const bool wasIgnored = after[i] == before[i];
            const bool wasBounded = std::find(ends.begin(), ends.end(), after[i]) != ends.end();
            report.expect(wasIgnored || wasBounded, what + ": neither ignored nor bounded to 0..1");
            ignored += wasIgnored ? 1 : 0;
            bounded += !wasIgnored && wasBounded ? 1 : 0;
        }
    }

    const std::vector<float> before = parametersOf(*host);
    const std::vector<uint8_t> chunkBefore = host->getChunk();
    const VstInt32 outside[]
        = {-1, count, count + 1, 1000, std::numeric_limits<VstInt32>::max(), std::numeric_limits<VstInt32>::min()};
    char number[] = "0.5";
    for (VstInt32 index : outside) {
        const std::string what = "parameter index " + std::to_string(index);
        host->setParameter(index, 0.7f);
        report.expect(std::isfinite(host->getParameter(index)), what + ": reads a value that is not finite");
        for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            report.expect(askText(*host, opcode, index).fitsIn(kParameterNameBytes), what + ": a text overruns");
        host->dispatch(effCanBeAutomated, index);
        host->dispatch(effString2Parameter, index, 0, number);
    }
    report.expect(parametersOf(*host) == before && host->getChunk() == chunkBefore,
                  "an index outside the parameters changed the state");

    report.figures << std::size(kHostileFloats) << " values x " << count << " parameters (" << ignored << " ignored, "
                   << bounded << " bounded), " << std::size(outside) << " indices outside 0.." << count - 1
                   << " changed nothing; audio after each: " << census.figures();
}

void checkEditor(ValidatorContext& context, CheckReport& report)
{
    std::unique_ptr<PluginHost> host = startedInstance(context, report);
    if (!host)
        return;
    const bool hasEditor = (host->effect()->flags & effFlagsHasEditor) != 0;
    ParentWindow parent;
    if (hasEditor) {
        if (report.expect(parent.handle != nullptr, "no parent window for the editor (is there a display?)"))
            checkEditorOpenings(*host, parent.handle, report);
    } else {
        // Without an editor every editor opcode answers 0 and changes nothing.
        ERect* rect = nullptr;
        report.expect(host->dispatch(effEditGetRect, 0, 0, &rect) == 0, "effEditGetRect answers without an editor");
        report.expect(host->dispatch(effEditOpen, 0, 0, parent.handle) == 0, "effEditOpen answers without an editor");
        host->dispatch(effEditIdle);
        host->dispatch(effEditClose);
        report.figures << "no editor: get-rect and open answer 0, idle and close ignored";
    }
    report.expect(host->close() == 1, "effClose did not answer 1");
}

void checkClose(ValidatorContext& context, CheckReport& report)
{
    auto open = [](PluginHost& host, RandomSource&, SampleCensus&) { host.open(); };
    auto start = [](PluginHost& host, RandomSource&, SampleCensus&) { startInstance(host, 44100.0f, 512); };
    auto run = [start](PluginHost& host, RandomSource& random, SampleCensus& census) {
        start(host, random, census);
        probeAudio(host, random, census);
    };
    const Lifecycle lifecycles[] = {
        {"created", [](PluginHost&, RandomSource&, SampleCensus&) {}},
        {"opened", open},
        {"resumed", start},
        {"processed", run},
        {"suspended",
         [run](PluginHost& host, RandomSource& random, SampleCensus& census) {
             run(host, random, census);
             host.suspend();
         }},
        {"suspended and resumed twice",
         [run](PluginHost& host, RandomSource& random, SampleCensus& census) {
             run(host, random, census);
             host.suspend();
             host.suspend();
             host.resume();
             host.resume();
             probeAudio(host, random, census);
         }},
        {"processed unopened", probeAudio},
        {"processed unresumed",
         [open](PluginHost& host, RandomSource& random, SampleCensus& census) {
             open(host, random, census);
             probeAudio(host, random, census);
         }},
        {"opened twice, editor closed unopened",
         [open](PluginHost& host, RandomSource& random, SampleCensus& census) {
             open(host, random, census);
             open(host, random, census);
             host.dispatch(effEditClose);
         }},
    };
    RandomSource random = context.randomFor("close");
    SampleCensus census;
    for (const Lifecycle& lifecycle : lifecycles) {
        std::unique_ptr<PluginHost> host = createdInstance(context, report);
        if (!host)
            return;
        SampleCensus stageCensus;
        lifecycle.stages(*host, random, stageCensus);
        expectFinite(report, stageCensus, lifecycle.what);
        census.add(stageCensus);
        report.expect(host->close() == 1, std::string("effClose did not answer 1 when ") + lifecycle.what);
    }
    std::unique_ptr<PluginHost> after = createdInstance(context, report);
    report.figures << std::size(lifecycles) << " lifecycles closed (";
    for (const Lifecycle& lifecycle : lifecycles)
        report.figures << (&lifecycle == lifecycles ? "" : ", ") << lifecycle.what;
    report.figures << "), each answered 1; the library still creates; " << census.figures();
}
