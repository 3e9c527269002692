// Replays a fuzz target's corpus kept in the repository: every input in it,
// seed or past finding, must keep the target's invariants in this build too.
// A broken invariant aborts; the input last named on stderr is the one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> corpusFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(VEST_FUZZ_CORPUS))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(VEST_FUZZ_SUITE, EveryInputKeepsTheInvariants)
{
    const std::vector<std::filesystem::path> files = corpusFiles();
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        std::ifstream stream(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "replaying %s\n", file.filename().c_str());
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0) << file;
    }
}
