#include "gui/attribute_list.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace VSTGUI {
namespace {

// Owns a list for one test.
struct AttributeList {
    ~AttributeList() { attribute_list::clear(head); }

    std::vector<CViewAttributeID> ids() const
    {
        std::vector<CViewAttributeID> order;
        for (const CAttributeListEntry* entry = head; entry; entry = entry->pNext)
            order.push_back(entry->nId);
        return order;
    }

    CAttributeListEntry* head = nullptr;
};

TEST(AttributeListTest, NewIdsGoToTheEndAndKeepTheirBytes)
{
    AttributeList list;
    const char first[] = "abc";
    const int32_t second = 0x01020304;
    ASSERT_TRUE(attribute_list::set(list.head, 9, 4, first));
    ASSERT_TRUE(attribute_list::set(list.head, 2, 4, &second));
    ASSERT_TRUE(attribute_list::set(list.head, 5, 0, nullptr));
    EXPECT_EQ(list.ids(), (std::vector<CViewAttributeID>{9, 2, 5}));

    char text[4] = {};
    int32_t size = -1;
    ASSERT_TRUE(attribute_list::get(list.head, 9, sizeof text, text, size));
    EXPECT_EQ(size, 4);
    EXPECT_STREQ(text, "abc");
    int32_t number = 0;
    ASSERT_TRUE(attribute_list::get(list.head, 2, sizeof number, &number, size));
    EXPECT_EQ(number, second);
    ASSERT_TRUE(attribute_list::getSize(list.head, 5, size));
    EXPECT_EQ(size, 0);
}

TEST(AttributeListTest, ShorterDataOverwritesTheLeadingBytesAndKeepsTheSize)
{
    AttributeList list;
    const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t four[4] = {9, 9, 9, 9};
    ASSERT_TRUE(attribute_list::set(list.head, 7, 8, eight));
    ASSERT_TRUE(attribute_list::set(list.head, 7, 4, four));

    int32_t size = 0;
    ASSERT_TRUE(attribute_list::getSize(list.head, 7, size));
    EXPECT_EQ(size, 8);
    std::array<uint8_t, 8> read{};
    ASSERT_TRUE(attribute_list::get(list.head, 7, 8, read.data(), size));
    EXPECT_EQ(read, (std::array<uint8_t, 8>{9, 9, 9, 9, 5, 6, 7, 8}));
    EXPECT_EQ(list.ids(), std::vector<CViewAttributeID>{7}) << "an existing id is not appended again";
}

TEST(AttributeListTest, LongerDataReplacesTheBlob)
{
    AttributeList list;
    const uint8_t two[2] = {1, 2};
    const uint8_t five[5] = {5, 4, 3, 2, 1};
    ASSERT_TRUE(attribute_list::set(list.head, 1, 2, two));
    ASSERT_TRUE(attribute_list::set(list.head, 1, 5, five));
    std::array<uint8_t, 5> read{};
    int32_t size = 0;
    ASSERT_TRUE(attribute_list::get(list.head, 1, 5, read.data(), size));
    EXPECT_EQ(size, 5);
    EXPECT_EQ(read, (std::array<uint8_t, 5>{5, 4, 3, 2, 1}));
}

TEST(AttributeListTest, ReadsRefuseMissingIdsAndSmallBuffers)
{
    AttributeList list;
    const uint8_t six[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(attribute_list::set(list.head, 3, 6, six));

    uint8_t buffer[6] = {};
    int32_t size = 77;
    EXPECT_FALSE(attribute_list::get(list.head, 3, 5, buffer, size));
    EXPECT_EQ(size, 77) << "a refused read leaves the out size";
    EXPECT_EQ(buffer[0], 0);
    EXPECT_FALSE(attribute_list::get(list.head, 4, 6, buffer, size));
    EXPECT_FALSE(attribute_list::getSize(list.head, 4, size));
    EXPECT_TRUE(attribute_list::get(list.head, 3, 6, buffer, size));
}

TEST(AttributeListTest, RemoveUnlinksOnlyThatEntry)
{
    AttributeList list;
    const char byte = 'x';
    for (CViewAttributeID id : {1u, 2u, 3u})
        ASSERT_TRUE(attribute_list::set(list.head, id, 1, &byte));

    EXPECT_TRUE(attribute_list::remove(list.head, 2));
    EXPECT_EQ(list.ids(), (std::vector<CViewAttributeID>{1, 3}));
    EXPECT_FALSE(attribute_list::remove(list.head, 2));
    EXPECT_TRUE(attribute_list::remove(list.head, 1));
    EXPECT_EQ(list.ids(), std::vector<CViewAttributeID>{3});
    EXPECT_TRUE(attribute_list::remove(list.head, 3));
    EXPECT_EQ(list.head, nullptr);
}

TEST(AttributeListTest, NegativeSizesAndMissingDataAreRefused)
{
    AttributeList list;
    const char data[4] = {};
    EXPECT_FALSE(attribute_list::set(list.head, 1, -1, data));
    EXPECT_FALSE(attribute_list::set(list.head, 1, 4, nullptr));
    EXPECT_EQ(list.head, nullptr);
}

} // namespace
} // namespace VSTGUI
