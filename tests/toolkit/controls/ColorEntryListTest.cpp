// The colour combo's entries and selection rules, and where the colour button draws its parts.
#include "toolkit/controls/ColorEntryList.h"
#include "toolkit/controls/ColorButtonGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kColours[] = {0x0000FF, 0x00FF00, 0xFF0000};
constexpr COLORREF kWindow = 0xFFFFFF;

TEST(ColorEntryList, EntriesInOrder)
{
    CColorEntryList list;
    list.Fill(kColours, 3, true, kWindow);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Data(0), 0x0000FFu);
    EXPECT_EQ(list.Data(3), CColorEntryList::kDefaultColor);
    EXPECT_EQ(list.Data(4), kWindow); // "Custom..." starts as the window colour
    EXPECT_TRUE(list.IsDefault(3));
    EXPECT_TRUE(list.IsCustom(4));
    EXPECT_FALSE(list.IsCustom(3));
    EXPECT_EQ(list.Data(5), kNoColor);

    // No colours: only "Default", whatever the count says.
    list.Fill(nullptr, 3, false, kWindow);
    EXPECT_EQ(list.Count(), 1);
    list.Fill(kColours, -4, false, kWindow);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.IsDefault(0));
}

TEST(ColorEntryList, SelectColor)
{
    struct Case
    {
        bool custom;
        COLORREF colour;
        int index;
        COLORREF selected;
    };
    const Case cases[] = {
        {true, 0x00FF00, 1, 0x00FF00},
        {false, 0x00FF00, 1, 0x00FF00},
        {true, 0x123456, 4, 0x123456},  // not in the list: the custom entry takes it
        {false, 0x123456, 3, 0xFF000000}, // without custom colours: "Default"
        {true, CColorEntryList::kDefaultColor, 3, 0xFF000000},
        {false, CColorEntryList::kDefaultColor, 3, 0xFF000000},
        {true, kWindow, 4, kWindow},
    };
    for (const Case &c : cases) {
        CColorEntryList list;
        list.Fill(kColours, 3, c.custom, kWindow);
        const int index = list.Select(c.colour);
        EXPECT_EQ(index, c.index) << c.custom << " " << std::hex << c.colour;
        EXPECT_EQ(list.ColorAt(index, kWindow), c.selected) << c.custom << " " << std::hex << c.colour;
    }
    CColorEntryList list;
    list.Fill(kColours, 3, true, kWindow);
    EXPECT_EQ(list.ColorAt(-1, kWindow), kWindow); // nothing selected
    EXPECT_TRUE(list.SetCustomColor(0x010203));
    EXPECT_EQ(list.Data(4), 0x010203u);
    // Selecting the custom colour again finds it before looking at the last entry's place.
    EXPECT_EQ(list.Select(0x010203), 4);
    list.Fill(kColours, 3, false, kWindow);
    EXPECT_FALSE(list.SetCustomColor(0x010203));
    EXPECT_EQ(list.Data(3), CColorEntryList::kDefaultColor);
}

TEST(ColorEntryList, TextOnASwatch)
{
    struct Case
    {
        COLORREF colour, text;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x0000FF, 0xFFFF00}, // the inverse where it reads
        {0x808040, 0xFFFFFF}, {0x808080, 0x000000},                       // too close: black or white
        {0xFF808080, 0x000000},                                           // the top byte is ignored
    };
    for (const Case &c : cases)
        EXPECT_EQ(CColorEntryList::TextColorOn(c.colour), c.text) << std::hex << c.colour;
}

TEST(ColorButtonGeometry, Parts)
{
    using Ink = CColorButtonGeometry::Ink;
    // The area from (0, 0) up to (60, 20).
    const CColorButtonGeometry on(0, 0, 60, 20, true);
    EXPECT_EQ(on.ShadowLineX(), 52);
    EXPECT_EQ(on.LightLineX(), 53);
    EXPECT_EQ(on.Swatch(), QRect(1, 0, 47, 20));
    EXPECT_TRUE(on.SwatchFilled());
    const std::vector<CColorButtonGeometry::Run> arrow = {
        {9, 56, 60, Ink::Frame}, {10, 57, 59, Ink::Frame}, {11, 58, 58, Ink::Frame}};
    EXPECT_EQ(on.Arrow(), arrow);

    const CColorButtonGeometry off(0, 0, 60, 20, false);
    EXPECT_EQ(off.Swatch(), QRect(2, 1, 45, 18));
    EXPECT_FALSE(off.SwatchFilled());
    const std::vector<CColorButtonGeometry::Run> embossed = {
        {9, 56, 60, Ink::Shadow}, {10, 57, 59, Ink::Shadow}, {11, 58, 58, Ink::Shadow},
        {10, 60, 61, Ink::Light}, {11, 59, 60, Ink::Light},  {12, 59, 59, Ink::Light}};
    EXPECT_EQ(off.Arrow(), embossed);

    // Too narrow for a swatch: none, and no negative rectangle.
    EXPECT_FALSE(CColorButtonGeometry(0, 0, 10, 20, true).Swatch().isValid());
    EXPECT_EQ(CColorButtonGeometry::ForRect(QRect(5, 5, 60, 20), true).Swatch(), QRect(6, 5, 47, 20));
}

} // namespace
