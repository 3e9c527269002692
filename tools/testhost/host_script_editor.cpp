// The test host's editor commands (host_script.h): the plug-in's editor in a
// window of the host's own, driven by idle turns and mouse messages.
#include <algorithm>
#include <iomanip>
#include <vector>

#include "host_script.h"
#include "stereo_render.h"

namespace {

constexpr DWORD kIdleIntervalMs = 10;
constexpr VstInt32 kRunBlockSize = 512;

MouseButton buttonNamed(const std::string& name)
{
    if (name == "right")
        return MouseButton::right;
    if (name == "shift")
        return MouseButton::leftWithShift;
    return MouseButton::left;
}

double secondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

bool HostScript::needEditor()
{
    if (editor && editor->isOpen())
        return true;
    out << "error: no open editor (editor-open first)\n";
    return false;
}

bool HostScript::runEditorCommand(const std::string& command, const std::vector<std::string>& words)
{
    auto integer = [&](std::size_t i, int fallback) { return i < words.size() ? std::stoi(words[i]) : fallback; };
    if (command == "editor-open") {
        if (!editor)
            editor = std::make_unique<EditorWindow>(host);
        if (!editor->open()) {
            out << "error: " << editor->problem() << "\n";
            return false;
        }
        const ERect& rect = editor->editorRect();
        out << "editor: open " << rect.right - rect.left << " x " << rect.bottom - rect.top << "\n";
        return true;
    }
    if (!needEditor())
        return false;
    if (command == "editor-close") {
        editor->close();
        out << "editor: closed\n";
    } else if (command == "editor-idle") {
        const int turns = integer(1, 1);
        for (int i = 0; i < turns; ++i) {
            editor->idle();
            Sleep(kIdleIntervalMs);
        }
        out << "editor-idle: " << turns << " turns, " << editor->paintCount() << " paints so far\n";
    } else if (command == "editor-click") {
        const int x = integer(1, 0), y = integer(2, 0);
        const bool painted = editor->click(x, y, buttonNamed(words.size() > 3 ? words[3] : "left"));
        out << "editor-click: " << x << " " << y << (painted ? " painted" : " not painted") << "\n";
        return painted;
    } else if (command == "editor-pixel") {
        const int x = integer(1, 0), y = integer(2, 0);
        const WindowPixels pixels = editor->capture();
        if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) {
            out << "error: no pixel at " << x << " " << y << "\n";
            return false;
        }
        const uint32_t pixel = pixels.at(x, y);
        out << "pixel " << x << " " << y << ": " << WindowPixels::red(pixel) << " " << WindowPixels::green(pixel) << " "
            << WindowPixels::blue(pixel) << "\n";
    } else if (command == "editor-save") {
        const std::string path = words.size() > 1 ? words[1] : std::string();
        if (!writePng(path, editor->capture())) {
            out << "error: cannot write " << path << "\n";
            return false;
        }
        out << "editor saved: " << path << "\n";
    } else if (command == "editor-run") {
        runEditorWithAudio(words.size() > 1 ? std::stod(words[1]) : 1.0);
    } else if (command == "editor-bench") {
        benchEditor(std::max(integer(1, 100), 1));
    } else {
        out << "error: unknown command " << command << "\n";
        return false;
    }
    return true;
}

void HostScript::runEditorWithAudio(double seconds)
{
    const double rate = host.settings.sampleRate;
    const auto frames = static_cast<std::size_t>(std::max(seconds, 0.0) * rate);
    const StereoSignal<float> input = makeTestSignal(frames);
    std::vector<float> outLeft(kRunBlockSize), outRight(kRunBlockSize);
    const uint64_t paintsBefore = editor->paintCount();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (std::size_t first = 0; first < frames; first += kRunBlockSize) {
        const auto count = static_cast<VstInt32>(std::min<std::size_t>(kRunBlockSize, frames - first));
        float* inputs[2]
            = {const_cast<float*>(input.left.data() + first), const_cast<float*>(input.right.data() + first)};
        float* outputs[2] = {outLeft.data(), outRight.data()};
        host.processReplacing(inputs, outputs, count);
        editor->idle();
        // Keep the pace of a real stream: each block is due when its audio
        // would have played.
        const double due = static_cast<double>(first + count) / rate;
        const double ahead = due - secondsSince(start);
        if (ahead > 0.0)
            Sleep(static_cast<DWORD>(ahead * 1000.0));
    }
    const double elapsed = secondsSince(start);
    const uint64_t drawn = editor->paintCount() - paintsBefore;
    out << "editor-run: " << std::fixed << std::setprecision(2) << elapsed << " s, " << drawn << " frames drawn, "
        << (elapsed > 0.0 ? static_cast<double>(drawn) / elapsed : 0.0) << " frames per second\n"
        << std::defaultfloat;
}

void HostScript::benchEditor(int frames)
{
    std::vector<double> milliseconds;
    milliseconds.reserve(static_cast<std::size_t>(frames));
    editor->repaintNow(); // images load on the first frame; not timed
    for (int i = 0; i < frames; ++i) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        editor->repaintNow();
        GdiFlush();
        milliseconds.push_back(secondsSince(start) * 1000.0);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    double total = 0.0;
    for (double m : milliseconds)
        total += m;
    const double mean = total / frames;
    const double median = milliseconds[milliseconds.size() / 2];
    out << "editor-bench: " << frames << " frames, mean " << std::fixed << std::setprecision(3) << mean
        << " ms, median " << median << " ms, min " << milliseconds.front() << " ms, " << std::setprecision(1)
        << 1000.0 / median << " frames per second\n"
        << std::defaultfloat;
}
