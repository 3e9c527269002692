#include "host_script.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <vector>

#include "stereo_render.h"
#include "wav_file.h"

namespace {

// The buffer sizes a widely used host gives; parameter texts get room to
// spare so the listing shows whatever the plug-in writes.
constexpr std::size_t kEffectNameBytes = 32;
constexpr std::size_t kVendorBytes = 64;
constexpr std::size_t kProgramNameBytes = 24;
constexpr std::size_t kParameterTextBytes = 64;

constexpr VstInt32 kSineBlockFrames = 4096;

constexpr VstInt32 kDemoSeconds = 2;
constexpr VstInt32 kDemoBlockSize = 512;
// AutoWidth on, AutoSpeed slow, AutoDepth wide.
constexpr float kDemoParameters[] = {1.0f, 0.5f, 1.0f};

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream stream(line);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

std::string hexOf(VstInt32 value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

} // namespace

HostScript::HostScript(const std::string& pluginPath, std::ostream& out) : pluginPath(pluginPath), out(out) {}

bool HostScript::needPlugin()
{
    if (host.effect())
        return true;
    out << "error: no plug-in (create first)\n";
    return false;
}

void HostScript::printRecord()
{
    const AEffect* e = host.effect();
    if (!e) {
        out << "record: null\n";
        return;
    }
    out << "record: magic=" << hexOf(e->magic) << " numPrograms=" << e->numPrograms << " numParams=" << e->numParams
        << " numInputs=" << e->numInputs << " numOutputs=" << e->numOutputs << " flags=" << hexOf(e->flags)
        << " uniqueID=" << e->uniqueID << " version=" << e->version << " initialDelay=" << e->initialDelay
        << " ioRatio=" << e->ioRatio << "\n";
}

void HostScript::printInfo()
{
    out << "name: " << host.text(effGetEffectName, 0, kEffectNameBytes).text << "\n";
    out << "vendor: " << host.text(effGetVendorString, 0, kVendorBytes).text << "\n";
    out << "product: " << host.text(effGetProductString, 0, kVendorBytes).text << "\n";
    out << "parameters: " << host.effect()->numParams << "\n";
    for (VstInt32 i = 0; i < host.effect()->numParams; ++i) {
        out << "parameter " << i << ": " << host.text(effGetParamName, i, kParameterTextBytes).text << " = "
            << host.text(effGetParamDisplay, i, kParameterTextBytes).text << " (" << host.getParameter(i) << ")\n";
    }
    out << "chunk size: " << host.getChunk().size() << "\n";
}

bool HostScript::render(const std::string& path, VstInt32 frames, VstInt32 blockSize, bool doublePrecision)
{
    const StereoSignal<float> input = makeTestSignal(static_cast<std::size_t>(frames));
    const StereoSignal<float> output = doublePrecision
        ? narrowedSignal(renderDoubleReplacing(host, widenedSignal(input), blockSize))
        : renderReplacing(host, input, blockSize);
    if (!writeFloatWav(path, output, static_cast<VstInt32>(host.settings.sampleRate))) {
        out << "error: cannot write " << path << "\n";
        return false;
    }
    out << "rendered: " << path << " frames=" << frames << " block=" << blockSize
        << (doublePrecision ? " double" : " single") << "\n";
    return true;
}

void HostScript::processSineBlock(double amplitude, VstInt32 frames)
{
    const StereoSignal<float> input
        = makeSineSignal(static_cast<std::size_t>(std::max<VstInt32>(frames, 0)), amplitude);
    StereoSignal<float> output{std::vector<float>(input.frames()), std::vector<float>(input.frames())};
    float* inputs[2] = {const_cast<float*>(input.left.data()), const_cast<float*>(input.right.data())};
    float* outputs[2] = {output.left.data(), output.right.data()};
    host.processReplacing(inputs, outputs, static_cast<VstInt32>(input.frames()));
    out << "sine: amplitude " << amplitude << ", " << input.frames() << " frames\n";
}

bool HostScript::runDemo(const std::string& path)
{
    if (!run("create") || !run("start"))
        return false;
    for (VstInt32 i = 0; i < host.effect()->numParams && i < 3; ++i)
        host.setParameter(i, kDemoParameters[i]);
    const VstInt32 frames = kDemoSeconds * static_cast<VstInt32>(host.settings.sampleRate);
    return run("info") && render(path, frames, kDemoBlockSize, false) && run("suspend") && run("close");
}

bool HostScript::run(const std::string& line)
{
    const std::vector<std::string> words = wordsOf(line);
    if (words.empty() || words[0][0] == '#')
        return true;
    const std::string& command = words[0];
    auto number
        = [&](std::size_t i, double fallback = 0.0) { return i < words.size() ? std::stod(words[i]) : fallback; };
    auto integer = [&](std::size_t i, long long fallback = 0) {
        return i < words.size() ? std::stoll(words[i], nullptr, 0) : fallback;
    };
    auto argument = [&](std::size_t i) { return i < words.size() ? words[i] : std::string(); };

    try {
        if (command == "demo") {
            return runDemo(argument(1));
        } else if (command == "host-version") {
            host.settings.version = static_cast<VstIntPtr>(integer(1));
        } else if (command == "time-info") {
            host.settings.timeInfo = argument(1) == "on";
        } else if (command == "host-rate") {
            host.settings.sampleRate = static_cast<float>(number(1));
        } else if (command == "host-block") {
            host.settings.blockSize = static_cast<VstInt32>(integer(1));
        } else if (command == "entry") {
            entry = argument(1);
        } else if (command == "create") {
            if (!loaded && !(loaded = host.load(pluginPath))) {
                out << "error: " << host.lastError << "\n";
                return false;
            }
            host.create(entry.c_str());
            printRecord();
        } else if (command == "requests") {
            for (const RecordedRequest& r : host.requests)
                out << "request: opcode=" << r.opcode << " index=" << r.index << " value=" << r.value
                    << " opt=" << r.opt << " record=" << (r.withRecord ? "yes" : "null") << " answer=" << r.answer
                    << "\n";
        } else if (command.rfind("editor-", 0) == 0) {
            return needPlugin() && runEditorCommand(command, words);
        } else if (!needPlugin()) {
            return false;
        } else if (command == "start") {
            host.start();
        } else if (command == "open") {
            host.open();
        } else if (command == "resume") {
            host.resume();
        } else if (command == "suspend") {
            host.suspend();
        } else if (command == "close") {
            out << "close: " << host.close() << "\n";
        } else if (command == "rate") {
            host.setSampleRate(static_cast<float>(number(1)));
        } else if (command == "block") {
            host.setBlockSize(static_cast<VstInt32>(integer(1)));
        } else if (command == "param") {
            host.setParameter(static_cast<VstInt32>(integer(1)), static_cast<float>(number(2)));
        } else if (command == "get") {
            const VstInt32 index = static_cast<VstInt32>(integer(1));
            out << "parameter " << index << ": " << std::setprecision(9) << host.getParameter(index) << "\n";
        } else if (command == "name" || command == "label" || command == "display") {
            const VstInt32 opcode = command == "name" ? effGetParamName
                : command == "label"                  ? effGetParamLabel
                                                      : effGetParamDisplay;
            out << command << ": " << host.text(opcode, static_cast<VstInt32>(integer(1)), kParameterTextBytes).text
                << "\n";
        } else if (command == "effect-name") {
            out << "effect-name: " << host.text(effGetEffectName, 0, kEffectNameBytes).text << "\n";
        } else if (command == "vendor") {
            out << "vendor: " << host.text(effGetVendorString, 0, kVendorBytes).text << "\n";
        } else if (command == "product") {
            out << "product: " << host.text(effGetProductString, 0, kVendorBytes).text << "\n";
        } else if (command == "program-name") {
            out << "program-name: " << host.text(effGetProgramName, 0, kProgramNameBytes).text << "\n";
        } else if (command == "vendor-version") {
            out << "vendor-version: " << host.dispatch(effGetVendorVersion) << "\n";
        } else if (command == "dispatch") {
            const VstIntPtr answer
                = host.dispatch(static_cast<VstInt32>(integer(1)), static_cast<VstInt32>(integer(2)),
                                static_cast<VstIntPtr>(integer(3)), nullptr, static_cast<float>(number(4)));
            out << "dispatch " << integer(1) << ": " << answer << "\n";
        } else if (command == "chunk-size") {
            out << "chunk size: " << host.getChunk().size() << "\n";
        } else if (command == "chunk-save") {
            const std::vector<uint8_t> chunk = host.getChunk();
            std::ofstream file(argument(1), std::ios::binary);
            file.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
            out << "chunk saved: " << chunk.size() << "\n";
        } else if (command == "chunk-load") {
            std::ifstream file(argument(1), std::ios::binary);
            const std::vector<char> chunk{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            out << "chunk loaded: " << host.setChunk(chunk.data(), static_cast<VstInt32>(chunk.size())) << "\n";
        } else if (command == "midi") {
            VstMidiEvent event{};
            event.type = kVstMidiType;
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = static_cast<VstInt32>(integer(4));
            for (int i = 0; i < 3; ++i)
                event.midiData[i] = static_cast<char>(integer(static_cast<std::size_t>(i) + 1));
            VstEvents events{};
            events.numEvents = 1;
            events.events[0] = reinterpret_cast<VstEvent*>(&event);
            out << "midi: " << host.sendEvents(&events) << "\n";
        } else if (command == "render") {
            return render(argument(1), static_cast<VstInt32>(integer(2)), static_cast<VstInt32>(integer(3, 512)),
                          argument(4) == "double");
        } else if (command == "sine") {
            processSineBlock(number(1), static_cast<VstInt32>(integer(2, kSineBlockFrames)));
        } else if (command == "info") {
            printInfo();
        } else {
            out << "error: unknown command " << command << "\n";
            return false;
        }
    } catch (const std::exception& error) {
        out << "error: bad argument in \"" << line << "\" (" << error.what() << ")\n";
        return false;
    }
    return true;
}
