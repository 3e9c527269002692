#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "module_handle.h"
#include "module_paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const std::string kLibrary = "C:\\Hosts\\Plugins\\fx.dll";

struct Resolution {
    std::string library;
    std::string name;
    std::string path;
};

// Test names carry the printed case; CMake reads a backslash in them as an
// escape, so it is printed as '~'.
std::string label(std::string text)
{
    for (char& c : text)
        if (c == '\\')
            c = '~';
    return text;
}

void PrintTo(const Resolution& r, std::ostream* out)
{
    *out << label(r.library + " + " + r.name);
}

class ResolveTest : public ::testing::TestWithParam<Resolution> {};

TEST_P(ResolveTest, FolderOfTheLibraryThenTheNameWithoutOneLeadingDelimiter)
{
    EXPECT_EQ(resolveModuleRelativePath(GetParam().name, GetParam().library), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResolveTest,
    ::testing::Values(Resolution{kLibrary, "Clipping_ON.png", "C:\\Hosts\\Plugins\\Clipping_ON.png"},
                      Resolution{kLibrary, "\\Clipping_ON.png", "C:\\Hosts\\Plugins\\Clipping_ON.png"},
                      Resolution{kLibrary, "/Clipping_ON.png", "C:\\Hosts\\Plugins\\Clipping_ON.png"},
                      Resolution{kLibrary, "//x", "C:\\Hosts\\Plugins\\/x"},
                      Resolution{kLibrary, "data\\", "C:\\Hosts\\Plugins\\data\\"},
                      Resolution{kLibrary, "..\\up.png", "C:\\Hosts\\Plugins\\..\\up.png"},
                      Resolution{kLibrary, "", "C:\\Hosts\\Plugins\\"},
                      Resolution{"/usr/lib/vst/fx.so", "a.png", "/usr/lib/vst/a.png"},
                      Resolution{"fx.dll", "a.png", "a.png"}));

// Every string operation of the family, one row a call.
struct StringCase {
    const char* call;
    std::string result;
    std::string expected;
};

std::string yes(bool answer)
{
    return answer ? "true" : "false";
}

void PrintTo(const StringCase& c, std::ostream* out)
{
    *out << label(c.call);
}

class StringFamilyTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringFamilyTest, Answers)
{
    EXPECT_EQ(GetParam().result, GetParam().expected) << GetParam().call;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, StringFamilyTest,
    ::testing::Values(StringCase{"equalsIgnoreCase(Verdana, vERDANA)", yes(equalsIgnoreCase("Verdana", "vERDANA")),
                                 "true"},
                      StringCase{"equalsIgnoreCase(a, ab)", yes(equalsIgnoreCase("a", "ab")), "false"},
                      StringCase{"equalsIgnoreCase(empty, empty)", yes(equalsIgnoreCase("", "")), "true"},
                      StringCase{"equalsIgnoreCase([, {)", yes(equalsIgnoreCase("[", "{")), "false"},
                      StringCase{"equals(abc, abc)", yes(equals("abc", "abc")), "true"},
                      StringCase{"equals(abc, ABC)", yes(equals("abc", "ABC")), "false"},
                      StringCase{"endsWith(.wav, song.wav)", yes(endsWith(".wav", "song.wav")), "true"},
                      StringCase{"endsWith(song.wav, .wav)", yes(endsWith("song.wav", ".wav")), "false"},
                      StringCase{"endsWith(empty, x)", yes(endsWith("", "x")), "true"},
                      StringCase{"startsWith(so, song)", yes(startsWith("so", "song")), "true"},
                      StringCase{"startsWith(songs, song)", yes(startsWith("songs", "song")), "false"},
                      StringCase{"startsWith(on, song)", yes(startsWith("on", "song")), "false"},
                      StringCase{"endsWithDelimiter(a/)", yes(endsWithDelimiter("a/")), "true"},
                      StringCase{"endsWithDelimiter(a\\)", yes(endsWithDelimiter("a\\")), "true"},
                      StringCase{"endsWithDelimiter(a)", yes(endsWithDelimiter("a")), "false"},
                      StringCase{"endsWithDelimiter(empty)", yes(endsWithDelimiter("")), "false"},
                      StringCase{"startsWithDelimiter(/a)", yes(startsWithDelimiter("/a")), "true"},
                      StringCase{"startsWithDelimiter(\\a)", yes(startsWithDelimiter("\\a")), "true"},
                      StringCase{"startsWithDelimiter(empty)", yes(startsWithDelimiter("")), "false"},
                      StringCase{"addTrailingDelimiter(a)", addTrailingDelimiter("a"), "a\\"},
                      StringCase{"addTrailingDelimiter(a/)", addTrailingDelimiter("a/"), "a/"},
                      StringCase{"addTrailingDelimiter(empty)", addTrailingDelimiter(""), "\\"},
                      StringCase{"addLeadingDelimiter(a)", addLeadingDelimiter("a"), "\\a"},
                      StringCase{"addLeadingDelimiter(/a)", addLeadingDelimiter("/a"), "/a"},
                      StringCase{"dropLeadingDelimiter(\\\\a)", dropLeadingDelimiter("\\\\a"), "\\a"},
                      StringCase{"dropLeadingDelimiter(a/)", dropLeadingDelimiter("a/"), "a/"},
                      StringCase{"dropLeadingDelimiter(empty)", dropLeadingDelimiter(""), ""},
                      StringCase{"lastDelimiterIndex(a/b\\c)", std::to_string(lastDelimiterIndex("a/b\\c")), "3"},
                      StringCase{"lastDelimiterIndex(abc)", std::to_string(lastDelimiterIndex("abc")), "-1"},
                      StringCase{"folderOfPath(a/b\\c)", folderOfPath("a/b\\c"), "a/b\\"},
                      StringCase{"folderOfPath(abc)", folderOfPath("abc"), ""},
                      StringCase{"fileNameOfPath(a/b\\c)", fileNameOfPath("a/b\\c"), "c"},
                      StringCase{"fileNameOfPath(abc)", fileNameOfPath("abc"), "abc"},
                      StringCase{"fileNameOfPath(a/)", fileNameOfPath("a/"), ""},
                      StringCase{"extensionOfPath(song.wav)", extensionOfPath("song.wav"), ".wav"},
                      StringCase{"extensionOfPath(song)", extensionOfPath("song"), ""},
                      StringCase{"extensionOfPath(a.b\\c)", extensionOfPath("a.b\\c"), ".b\\c"},
                      StringCase{"extensionOfPath(x.tar.gz)", extensionOfPath("x.tar.gz"), ".gz"}));

// The library's own file name: the test executable stands in for it.
class ModuleFile : public ::testing::Test {
protected:
#ifdef _WIN32
    void SetUp() override
    {
        hInstance = GetModuleHandle(nullptr);
    }
    void TearDown() override
    {
        hInstance = nullptr;
    }

    static std::string executable()
    {
        char buffer[MAX_PATH];
        return std::string(buffer, GetModuleFileNameA(nullptr, buffer, sizeof buffer));
    }
#else
    static std::string executable()
    {
        return std::filesystem::canonical("/proc/self/exe").string();
    }
#endif
};

TEST_F(ModuleFile, NamesTheModuleThatHoldsTheRuntime)
{
    EXPECT_EQ(moduleFileName(hInstance), executable());
}

TEST_F(ModuleFile, NamesFoundBesideTheModule)
{
    const std::string folder = moduleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder, folderOfPath(executable()));
    EXPECT_EQ(resolveModuleRelativePath("\\Clipping_ON.png"), folder + "Clipping_ON.png");
}

} // namespace
