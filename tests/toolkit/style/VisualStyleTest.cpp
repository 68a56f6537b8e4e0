// Naming the visual style from a theme file and colour scheme.
#include "toolkit/style/VisualStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(VisualStyle, FromThemeAndScheme)
{
    struct Case
    {
        bool loaded;
        const char *file, *scheme;
        int style;
    };
    const Case cases[] = {
        {false, "C:\\Themes\\Luna\\Luna.msstyles", "NormalColor", kStyleNone},
        {true, "", "NormalColor", kStyleNone}, // the theme's name cannot be read
        {true, "C:\\Themes\\Luna\\Luna.msstyles", "NormalColor", kStyleBlue},
        {true, "C:\\Themes\\Luna\\Luna.msstyles", "normalcolor", kStyleBlue}, // scheme ignores case
        {true, "C:\\Themes\\Luna\\Luna.msstyles", "HomeStead", kStyleOlive},
        {true, "C:\\Themes\\Luna\\Luna.msstyles", "METALLIC", kStyleSilver},
        {true, "C:\\Themes\\Luna\\Luna.msstyles", "Royale", kStyleOther},
        {true, "C:\\Themes\\luna\\luna.msstyles", "NormalColor", kStyleOther}, // the file keeps its case
        {true, "C:\\Themes\\Other\\Other.msstyles", "NormalColor", kStyleOther},
        {true, "\\Luna\\Luna.msstyles", "Metallic", kStyleSilver}, // exactly the 19 characters
    };
    for (const Case &c : cases) {
        EXPECT_EQ(VisualStyleFromTheme(c.loaded, QString::fromLatin1(c.file), QString::fromLatin1(c.scheme)),
                  c.style)
            << c.file << " " << c.scheme;
    }
}

TEST(VisualStyle, StoredCodesAreBounded)
{
    const int cases[][2] = {{-1, 0}, {0, 0}, {1, 1}, {4, 4}, {5, 0}, {1000, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(BoundVisualStyle(c[0]), c[1]) << c[0];
}

} // namespace
