#include "gui/drop_rules.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace {

struct ShortcutCase {
    const wchar_t* path;
    bool isShortcut;
};

TEST(DropRulesTests, OnlyTheFileNamesLastExtensionMakesAShortcut)
{
    const ShortcutCase cases[] = {
        {L"C:\\music\\song.lnk", true},
        {L"C:\\music\\SONG.LNK", true},
        {L"C:\\music\\song.Lnk", true},
        // A dot in a folder name is not the file's extension.
        {L"C:\\Users\\j.doe\\song.lnk", true},
        {L"C:\\Users\\j.doe\\song", false},
        // Only the last extension counts.
        {L"C:\\music\\live.take.lnk", true},
        {L"C:\\music\\song.lnk.txt", false},
        {L"C:\\music\\song.lnkx", false},
        {L"C:\\music\\song.ln", false},
        {L"C:\\music.lnk\\song", false},
        {L"C:\\music.lnk\\song.wav", false},
        {L"C:/music/song.lnk", true},
        {L"song.lnk", true},
        {L"songlnk", false},
        {L"", false},
    };
    for (const ShortcutCase& c : cases)
        EXPECT_EQ(isShortcutPath(c.path), c.isShortcut) << testing::PrintToString(std::wstring(c.path));
    EXPECT_FALSE(isShortcutPath(nullptr));
}

TEST(DropRulesTests, EffectIsTheFirstOfCopyMoveLinkThatTheSourceAllows)
{
    constexpr uint32_t kScroll = 0x80000000u; // a bit none of the three
    const struct {
        uint32_t allowed;
        uint32_t chosen;
    } cases[] = {
        {kDropEffectCopy | kDropEffectMove | kDropEffectLink, kDropEffectCopy},
        {kDropEffectCopy | kDropEffectLink, kDropEffectCopy},
        {kDropEffectMove, kDropEffectMove},
        {kDropEffectMove | kDropEffectLink, kDropEffectMove},
        {kDropEffectLink, kDropEffectLink},
        {kDropEffectLink | kScroll, kDropEffectLink},
        // Nothing allowed: the word stays as it came.
        {0, 0},
        {kScroll, kScroll},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseDropEffect(c.allowed), c.chosen) << "allowed " << c.allowed;
}

} // namespace
} // namespace VSTGUI
