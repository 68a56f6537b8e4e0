// The ellipsis fitters and the tabbed layout, measured with one unit per character.
#include "shell/FixedWidthMeasurer.h"
#include "shell/TextFitting.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct FitCase
{
    const char *text;
    double width;
    const char *plain;  // FitTextWithEllipsis
    const char *tabbed; // FitTabbedTextWithEllipsis
};

TEST(TextFittingTest, EllipsisFittersFollowTheirSteps)
{
    const FitCase cases[] = {
        {"Meeting", 7, "Meeting", "Meeting"}, // fits: unchanged
        {"Meeting", 6, "Mee...", "Mee..."},   // the last two go first, then one at a time
        {"Meeting", 5, "Me...", "Me..."},
        {"Meeting", 4, "M...", "M..."},
        {"Meeting", 3, "M...", "M."}, // no wider than "...": first character and "..."
        {"Meeting", 2, "M...", "M."},
        {"Meeting", 1, "M...", "M"},
        {"Meeting", 0, "M...", ""},
        {"", 0, "", ""},
        {"Ab", 1, "A...", "A"},
        {"a\tb", 9, "a\tb", "a\tb"}, // tab to 8, then b
        {"a\tbcdef", 9, "a\tbcdef", "a..."},
    };
    FixedWidthMeasurer m;
    for (const FitCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " @" << c.width);
        EXPECT_EQ(FitTextWithEllipsis(m, c.width, QString::fromUtf8(c.text)), QString::fromUtf8(c.plain));
        EXPECT_EQ(FitTabbedTextWithEllipsis(m, c.width, QString::fromUtf8(c.text)), QString::fromUtf8(c.tabbed));
    }
}

TEST(TextFittingTest, CutsNeverSplitACharacter)
{
    FixedWidthMeasurer m;
    // Emoji are surrogate pairs; "e" with a combining acute is one character of two code units.
    const QString text = QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x81" "e\xCC\x81" "\xF0\x9F\x98\x82xyz");
    const QString fitted = FitTextWithEllipsis(m, 6, text);
    EXPECT_EQ(fitted, QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x81" "e\xCC\x81..."));
    EXPECT_EQ(FitTextWithEllipsis(m, 2, text), QString::fromUtf8("\xF0\x9F\x98\x80..."));
    EXPECT_EQ(FitTabbedTextWithEllipsis(m, 1, text), QString::fromUtf8("\xF0\x9F\x98\x80"));

    // A 127-character cut in the middle of a pair keeps the pair out rather than half of it.
    const QString longText = QString(126, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + u'b';
    const TabbedLine line = PlanTabbedLine(m, longText, 0, 1000, TextFlags::EndEllipsis);
    EXPECT_EQ(line.text, QString(126, u'a'));
}

TEST(TextFittingTest, PlannedLineAlignsAndMeasures)
{
    FixedWidthMeasurer m;
    EXPECT_EQ(PlanTabbedLine(m, "abcd", 10, 30, 0).x, 10);
    EXPECT_EQ(PlanTabbedLine(m, "abcd", 10, 30, TextFlags::Center).x, 18);
    EXPECT_EQ(PlanTabbedLine(m, "abcd", 10, 30, TextFlags::Right).x, 26);
    const TabbedLine measured = PlanTabbedLine(m, "abcd", 10, 30, TextFlags::MeasureOnly);
    EXPECT_EQ(measured.height, 10);
    EXPECT_TRUE(measured.text.isEmpty());
    EXPECT_EQ(PlanTabbedLine(m, "abcdefghij", 0, 6, TextFlags::EndEllipsis).text, "abc...");
}

QStringList LineTexts(const TabbedLayout &layout)
{
    QStringList texts;
    for (const LaidOutLine &line : layout.lines)
        texts << line.text;
    return texts;
}

struct LayoutCase
{
    const char *text;
    unsigned flags;
    double width;
    QStringList lines;
};

TEST(TextFittingTest, LayoutBreaksLinesAndWraps)
{
    const LayoutCase cases[] = {
        {"A\r\n\r\nB", 0, 100, {"A", "", "B"}},
        {"A\r\r\nB", 0, 100, {"A", "B"}}, // a run of CRs and one LF is one line end
        {"A\nB\n\nC", 0, 100, {"A", "B", "", "C"}}, // LF-only text from editors and imports
        {"A\r\n", 0, 100, {"A"}},
        {"one two three", TextFlags::WordBreak, 9, {"one two", "three"}},
        {"one two  three", TextFlags::WordBreak, 7, {"one two", "three"}}, // spaces at the break go
        {"abcdefghij", TextFlags::WordBreak, 4, {"abcd", "efgh", "ij"}},   // no space: mid-word
        {"abcdefghij\r\nk", 0, 4, {"abcd", "k"}},                          // cut without wrapping
    };
    FixedWidthMeasurer m;
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.text);
        const TabbedLayout layout = LayoutTabbedText(m, QString::fromUtf8(c.text), 0, {0, 1000, c.width, 0}, c.flags);
        EXPECT_EQ(LineTexts(layout), c.lines);
        EXPECT_EQ(layout.nextOffset, QString::fromUtf8(c.text).size());
        EXPECT_EQ(layout.heightUsed, 10.0 * c.lines.size());
    }
}

TEST(TextFittingTest, LayoutPagesOnWithoutLosingOrRepeatingText)
{
    FixedWidthMeasurer m;
    const QString text = "alpha beta gamma delta\r\nepsilon\nzeta eta theta";
    // Three lines fit a page 35 high (the first baseline is one line below the top).
    QStringList printed;
    qsizetype offset = 0;
    int pages = 0;
    while (offset < text.size() && pages < 10) {
        const TabbedLayout page = LayoutTabbedText(m, text, offset, {0, 35, 11, 0}, TextFlags::WordBreak);
        ASSERT_FALSE(page.lines.empty());
        EXPECT_LE(page.lines.size(), 3u);
        printed << LineTexts(page);
        offset = page.nextOffset;
        ++pages;
    }
    EXPECT_EQ(printed, QStringList({"alpha beta", "gamma delta", "epsilon", "zeta eta", "theta"}));
    EXPECT_EQ(pages, 2);
}

TEST(TextFittingTest, LayoutAlignsAndRefusesEmptyRectangles)
{
    FixedWidthMeasurer m;
    const UpRect rect{0, 100, 20, 0};
    EXPECT_EQ(LayoutTabbedText(m, "abcd", 0, rect, TextFlags::Center).lines[0].x, 8);
    EXPECT_EQ(LayoutTabbedText(m, "abcd", 0, rect, TextFlags::Right | TextFlags::WordBreak).lines[0].x, 16);
    EXPECT_EQ(LayoutTabbedText(m, "abcd", 0, rect, TextFlags::Right).lines[0].x, 0); // right needs wrapping
    EXPECT_EQ(LayoutTabbedText(m, "abcd", 0, rect, 0).lines[0].baseline, 90);

    const TabbedLayout noWidth = LayoutTabbedText(m, "abcd", 0, {5, 100, 5, 0}, 0);
    EXPECT_TRUE(noWidth.lines.empty());
    EXPECT_EQ(noWidth.nextOffset, 0);
    const TabbedLayout tooLow = LayoutTabbedText(m, "abcd", 0, {0, 9, 20, 0}, 0);
    EXPECT_TRUE(tooLow.lines.empty());
}

} // namespace
