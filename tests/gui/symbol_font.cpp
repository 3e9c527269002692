#include "symbol_font.h"

#include <utility>

namespace VSTGUI {
namespace test {

namespace {

// Big-endian fields, as every sfnt table stores them.
struct Table {
    std::vector<uint8_t> bytes;
    Table& u16(uint32_t value)
    {
        bytes.push_back(static_cast<uint8_t>(value >> 8));
        bytes.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    Table& u32(uint32_t value) { return u16(value >> 16).u16(value & 0xffff); }
    Table& zeros(size_t count)
    {
        bytes.insert(bytes.end(), count, 0);
        return *this;
    }
};

constexpr uint32_t kFirstCode = 0xf020;
constexpr uint32_t kLastCode = 0xf0ff;
constexpr uint32_t kSymbolCodePage = 0x80000000u;

Table headTable()
{
    Table t;
    t.u32(0x00010000).u32(0x00010000).u32(0).u32(0x5f0f3cf5).u16(0x000b).u16(1000);
    t.zeros(16);                                // created, modified
    t.u16(0).u16(0).u16(600).u16(700);          // bounding box
    t.u16(0).u16(8).u16(2).u16(0).u16(0);       // style, smallest size, direction, short offsets, format
    return t;
}

Table hheaTable()
{
    Table t;
    t.u32(0x00010000).u16(800).u16(static_cast<uint16_t>(-200)).u16(0).u16(700).u16(0).u16(0).u16(600);
    t.u16(1).u16(0).u16(0).zeros(8).u16(0).u16(2); // caret, reserved, format, two metrics
    return t;
}

Table maxpTable()
{
    Table t;
    t.u32(0x00010000).u16(2).u16(4).u16(1).u16(0).u16(0).u16(2).zeros(18);
    return t;
}

Table os2Table()
{
    Table t;
    t.u16(1).u16(700).u16(400).u16(5).u16(0);  // version, average width, weight, width, embedding
    t.u16(650).u16(600).u16(0).u16(75).u16(650).u16(600).u16(0).u16(350).u16(50).u16(300).u16(0);
    t.zeros(10 + 16);                           // panose, Unicode ranges
    t.bytes.insert(t.bytes.end(), {'N', 'O', 'N', 'E'});
    t.u16(0x0040).u16(kFirstCode).u16(kLastCode);
    t.u16(800).u16(static_cast<uint16_t>(-200)).u16(0).u16(800).u16(200);
    t.u32(kSymbolCodePage).u32(0);
    return t;
}

Table hmtxTable()
{
    Table t;
    t.u16(700).u16(0).u16(700).u16(100);
    return t;
}

// Glyph 0 is empty; glyph 1 is one square contour of four points on the curve.
Table glyfTable()
{
    Table t;
    t.u16(1).u16(100).u16(0).u16(600).u16(700).u16(3).u16(0);
    t.bytes.insert(t.bytes.end(), 4, 0x01);
    t.u16(100).u16(0).u16(500).u16(0);
    t.u16(0).u16(700).u16(0).u16(static_cast<uint16_t>(-700));
    t.zeros(2);
    return t;
}

Table locaTable(size_t glyphBytes)
{
    Table t;
    t.u16(0).u16(0).u16(static_cast<uint32_t>(glyphBytes / 2));
    return t;
}

// The symbol map only: every code of the range to the box.
Table cmapTable()
{
    Table t;
    t.u16(0).u16(1).u16(3).u16(0).u32(12);
    t.u16(4).u16(32).u16(0).u16(4).u16(4).u16(1).u16(0);
    t.u16(kLastCode).u16(0xffff).u16(0).u16(kFirstCode).u16(0xffff);
    t.u16((1 - kFirstCode) & 0xffff).u16(1).u16(0).u16(0);
    return t;
}

Table nameTable(const std::string& family)
{
    std::string postScript;
    for (char c : family)
        if (c != ' ')
            postScript += c;
    const std::pair<uint16_t, std::string> names[] = {{1, family}, {2, "Regular"}, {4, family}, {6, postScript}};
    Table t;
    t.u16(0).u16(4).u16(6 + 12 * 4);
    Table strings;
    for (const auto& name : names) {
        t.u16(3).u16(1).u16(0x409).u16(name.first).u16(static_cast<uint32_t>(2 * name.second.size()));
        t.u16(static_cast<uint32_t>(strings.bytes.size()));
        for (char c : name.second)
            strings.u16(static_cast<uint8_t>(c));
    }
    t.bytes.insert(t.bytes.end(), strings.bytes.begin(), strings.bytes.end());
    return t;
}

Table postTable()
{
    Table t;
    t.u32(0x00030000).u32(0).u16(static_cast<uint16_t>(-100)).u16(50).zeros(20);
    return t;
}

uint32_t checksum(const std::vector<uint8_t>& bytes)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        sum += static_cast<uint32_t>(bytes[i]) << (8 * (3 - i % 4));
    return sum;
}

} // namespace

std::vector<uint8_t> symbolFontFile(const std::string& family)
{
    const Table glyf = glyfTable();
    // In the order of their tags, as the directory wants them.
    const std::pair<const char*, Table> tables[] = {
        {"OS/2", os2Table()},  {"cmap", cmapTable()},           {"glyf", glyf},
        {"head", headTable()}, {"hhea", hheaTable()},           {"hmtx", hmtxTable()},
        {"loca", locaTable(glyf.bytes.size())}, {"maxp", maxpTable()}, {"name", nameTable(family)},
        {"post", postTable()},
    };
    constexpr uint32_t count = sizeof(tables) / sizeof(tables[0]);
    Table file;
    file.u32(0x00010000).u16(count).u16(128).u16(3).u16(count * 16 - 128);
    uint32_t offset = 12 + 16 * count;
    Table body;
    for (const auto& table : tables) {
        file.bytes.insert(file.bytes.end(), table.first, table.first + 4);
        file.u32(checksum(table.second.bytes)).u32(offset).u32(static_cast<uint32_t>(table.second.bytes.size()));
        body.bytes.insert(body.bytes.end(), table.second.bytes.begin(), table.second.bytes.end());
        body.zeros((4 - table.second.bytes.size() % 4) % 4);
        offset = static_cast<uint32_t>(12 + 16 * count + body.bytes.size());
    }
    file.bytes.insert(file.bytes.end(), body.bytes.begin(), body.bytes.end());
    return file.bytes;
}

} // namespace test
} // namespace VSTGUI
