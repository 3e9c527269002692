#pragma once

// The test host's command language: one command per line (or per command-line
// argument), words separated by spaces. Each command prints what it did, one
// "key: value" line per result, so scripts and tests can read the output.
//
//   host-version N | time-info on|off | host-rate R | host-block N | entry NAME
//                      settings of the host; before create for the version
//   create             calls the entry; prints the plug-in record or null
//   start              open, sample rate, block size, resume
//   open | resume | suspend | close | rate R | block N
//   param I V          sets parameter I to V (0..1)
//   get I              the parameter's value
//   name I | label I | display I      parameter texts
//   effect-name | vendor | product | program-name | vendor-version
//   dispatch OP [INDEX [VALUE [OPT]]] any opcode without a pointer; its answer
//   chunk-size | chunk-save FILE | chunk-load FILE
//   midi STATUS DATA1 DATA2 [DELTA]   one MIDI event
//   render FILE FRAMES BLOCK single|double
//                      the test signal through the plug-in into a WAV file
//   sine AMPLITUDE [FRAMES]
//                      one block (4096 frames by default) of a sine of that
//                      amplitude through the 32-bit path, output discarded
//   info               name, vendor, parameters with texts, chunk size
//   demo FILE          create, start, the three parameters set, info, two
//                      seconds rendered into FILE, close
//   requests           every request the plug-in made so far
//
// The editor, in a top-level window of the host's own (needs a display):
//   editor-open | editor-close
//   editor-idle N      N idle turns, 10 ms apart; prints the paints seen
//   editor-click X Y [left|right|shift]
//                      press, a paint while down, release, a paint
//   editor-pixel X Y   the colour the screen shows at a point of the editor
//   editor-save FILE   the editor's pixels as a PNG file
//   editor-run SECONDS the test signal through the plug-in at the pace of
//                      real time, with idle turns; prints the frames drawn
//                      per second
//   editor-bench N     N full repaints, timed; prints milliseconds per frame
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "editor_window.h"
#include "plugin_host.h"

class HostScript {
public:
    HostScript(const std::string& pluginPath, std::ostream& out);

    // Runs one command; false (and an "error:" line) when it failed.
    bool run(const std::string& line);

private:
    bool needPlugin();
    bool runDemo(const std::string& path);
    void printRecord();
    void printInfo();
    bool render(const std::string& path, VstInt32 frames, VstInt32 blockSize, bool doublePrecision);
    void processSineBlock(double amplitude, VstInt32 frames);
    bool runEditorCommand(const std::string& command, const std::vector<std::string>& words);
    bool needEditor();
    void runEditorWithAudio(double seconds);
    void benchEditor(int frames);

    std::string pluginPath;
    std::ostream& out;
    PluginHost host;
    // Declared after the host: the window goes before the plug-in's library.
    std::unique_ptr<EditorWindow> editor;
    bool loaded = false;
    std::string entry = "VSTPluginMain";
};
