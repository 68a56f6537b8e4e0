// Item-box icon sizes by row height, icon stacking, and offscreen renders of views with entries.
#include "views/drawing/ItemBox.h"
#include "common/PaintProbe.h"
#include "core/items/DisplayItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "views/base/CalendarViewWnd.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemTypeIconSource.h"
#include "toolkit/style/MenuLook.h"
#include "views/drawing/TypeIconDrawing.h"
#include "toolkit/style/ViewResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(ItemBoxTest, IconSizesFollowTheRowHeight)
{
    struct Case
    {
        int rowHeight;
        QSize status;
        int type;
    };
    const Case cases[] = {{14, {14, 11}, 14}, {16, {14, 11}, 16}, {17, {14, 11}, 16}, {18, {18, 15}, 16},
                          {24, {18, 15}, 16}, {25, {25, 20}, 25}, {40, {25, 20}, 25}};
    for (const Case &c : cases) {
        const ItemBoxIconSizes s = ItemBoxIcons(c.rowHeight);
        EXPECT_EQ(s.status, c.status) << c.rowHeight;
        EXPECT_EQ(s.type, c.type) << c.rowHeight;
    }
    EXPECT_EQ(ItemBoxIconOffset(16, 11), 3);
    EXPECT_EQ(ItemBoxIconOffset(16, 16), 1);
}

namespace {
// A view that draws its entries where the test placed them.
class BoxView : public CCalendarViewCtrl
{
  public:
    void Draw(QPainter &painter, const QRect &) override
    {
        for (const auto &e : GetEntries())
            DrawItemBox(painter, *this, *e, e->GetRect(), false);
    }
};
} // namespace

TEST(ItemBoxTest, OffscreenRenderPaintsEntriesAtTheirRectangles)
{
    // The look is shared by every test: put it back afterwards.
    struct RestoreLook
    {
        CMenuLook::Colors saved = CMenuLook::Instance().GetColors();
        ~RestoreLook() { CMenuLook::Instance().SetColors(saved); }
    } restore;
    CMenuLook::Colors colors = CMenuLook::Instance().GetColors();
    colors.viewBackground = 0x00FFFF00; // cyan boxes
    colors.itemText = 0x00000000;
    colors.frame = 0x000000FF;
    CMenuLook::Instance().SetColors(colors);

    BoxView view;
    view.m_gradient = 0;
    view.m_backgroundColour = 0x00FFFFFF;
    auto entry = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment",
                                                CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    entry->SetRect(QRect(10, 10, 60, 16));
    view.AddEntry(std::move(entry));

    CCalendarViewWnd wnd(view);
    wnd.resize(100, 50);
    const QImage image = wnd.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(40, 12)), QColor(0, 255, 255)) << "inside the box";
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(255, 255, 255)) << "outside the box";
    EXPECT_EQ(QColor(image.pixel(80, 18)), QColor(255, 255, 255));
}

TEST(ItemBoxTest, StatusGlyphsFollowTheFlags)
{
    struct Case
    {
        int kind;
        std::uint32_t flags;
        std::vector<int> glyphs;
    };
    using D = CDisplayItem;
    const Case cases[] = {
        {D::KindEvent, 0, {}},
        {D::KindTask, 0, {7}},
        {D::KindTask, D::FlagCompleted, {8}},
        {D::KindEvent, D::FlagReminder | D::FlagRecurring, {1, 0}},
        {D::KindEvent, D::FlagRecurring | D::FlagChanged, {2}},
        {D::KindEvent, D::FlagLocked | D::FlagOwnItem | D::FlagNotes, {4, 3}},
        {D::KindEvent, D::FlagLocked, {5}},
        {D::KindTask, D::FlagCompleted | D::FlagReminder | D::FlagNotes, {8, 1, 3}},
    };
    for (const Case &c : cases) {
        CDisplayItem e;
        e.SetKind(c.kind);
        e.SetFlags(c.flags);
        EXPECT_EQ(ItemBoxStatusGlyphs(e), c.glyphs) << std::hex << c.flags;
    }
}

TEST(ItemBoxTest, IconsStackDownThenStartNewColumns)
{
    // One row: every icon in the first row, side by side, 1 pixel apart.
    ItemBoxLayout one = LayoutItemBoxIcons(QRect(0, 0, 100, 16), 16, true, {1, 3});
    ASSERT_EQ(one.icons.size(), 3u);
    EXPECT_EQ(one.icons[0].glyph, -1);
    EXPECT_EQ(one.icons[0].rect, QRect(0, 1, 16, 16));
    EXPECT_EQ(one.icons[1].rect, QRect(17, 3, 14, 11));
    EXPECT_EQ(one.icons[2].rect, QRect(32, 3, 14, 11));
    EXPECT_EQ(one.textLeft, 47);

    // Three rows: a column of three, the fourth starts the next column.
    ItemBoxLayout tall = LayoutItemBoxIcons(QRect(0, 0, 100, 48), 16, false, {7, 1, 0, 3});
    ASSERT_EQ(tall.icons.size(), 4u);
    EXPECT_EQ(tall.icons[0].rect.topLeft(), QPoint(0, 3));
    EXPECT_EQ(tall.icons[1].rect.topLeft(), QPoint(0, 19));
    EXPECT_EQ(tall.icons[2].rect.topLeft(), QPoint(0, 35));
    EXPECT_EQ(tall.icons[3].rect.topLeft(), QPoint(15, 3));
    EXPECT_EQ(tall.textLeft, 30);

    // A single column leaves 2 pixels before the text; no icons, 1 pixel.
    EXPECT_EQ(LayoutItemBoxIcons(QRect(5, 0, 100, 48), 16, false, {7, 1}).textLeft, 5 + 14 + 2);
    EXPECT_EQ(LayoutItemBoxIcons(QRect(5, 0, 100, 48), 16, false, {}).textLeft, 6);
    // Larger rows take the larger icons.
    EXPECT_EQ(LayoutItemBoxIcons(QRect(0, 0, 100, 25), 25, true, {1}).icons[1].rect.size(), QSize(25, 20));
}

namespace {
class FakeIcons : public ITypeIconSource
{
  public:
    QPixmap TypeIcon(int index, int size) const override
    {
        if (index != 0)
            return {};
        QPixmap p(size, size);
        p.fill(QColor(0, 200, 0));
        return p;
    }
};

int CountIn(const QImage &image, const QRect &area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}
} // namespace

TEST(ItemBoxTest, RenderShowsTypeColoursIconsNotesAndAllDayFrames)
{
    InitViewResources();
    const CMenuLook::Colors saved = CMenuLook::Instance().GetColors();
    CMenuLook::Colors colors = saved;
    colors.viewBackground = 0x00FFFFFF;
    colors.itemText = 0x00000000;
    colors.frame = 0x00FF0000; // blue
    CMenuLook::Instance().SetColors(colors);

    CItemTypeList types;
    CItemType red(QStringLiteral("Red"));
    red.SetFlags(red.GetFlags() | CItemType::kFlagOwnColors);
    red.SetFillColor(0x000000FF);
    red.SetTextColor(0x00FFFFFF);
    ASSERT_TRUE(types.AddType(red, ImagePixels(32 * 32, 0xFF00C800), ImagePixels(16 * 16, 0xFF00C800)));
    SetItemTypeCatalog(&types);
    FakeIcons icons;
    SetTypeIconSource(&icons);

    BoxView view;
    view.m_gradient = 0;
    view.m_backgroundColour = 0x00FFFFFF;
    view.m_showTypeIcon = 1;
    view.m_showStatusIcons = 1;
    view.m_showNotes = 1;
    view.m_rowHeight = 16;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QFont struck = font;
    struck.setStrikeOut(true);
    view.SetFonts(font, struck, font);

    auto timed = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Red"),
                                                CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    timed->SetSubject(QStringLiteral("Red type"));
    timed->SetFlags(timed->GetFlags() | CDisplayItem::FlagReminder);
    const QRect timedRect(10, 10, 200, 18);
    timed->SetRect(timedRect);
    view.AddEntry(std::move(timed));

    auto tall = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QString(),
                                               CDateTime(2024, 3, 4, 10, 0, 0), CDateSpan(2.0 / 24));
    tall->SetSubject(QStringLiteral("Tall"));
    tall->SetNotes(QStringLiteral("Notes under the subject"));
    tall->SetFlags(tall->GetFlags() | CDisplayItem::FlagNotes);
    const QRect tallRect(10, 40, 200, 70);
    tall->SetRect(tallRect);
    view.AddEntry(std::move(tall));

    auto bar = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QString(), CDateTime(2024, 3, 1),
                                              CDateSpan(5.0));
    bar->SetSubject(QStringLiteral("Trip"));
    bar->SetFlags(bar->GetFlags() | CDisplayItem::FlagBeginsBefore);
    const QRect barRect(10, 120, 200, 18);
    bar->SetRect(barRect);
    view.AddEntry(std::move(bar));

    CCalendarViewWnd wnd(view);
    wnd.resize(230, 150);
    const QImage image = wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(QStringLiteral("itembox.png")));

    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), redFill = qRgb(255, 0, 0);
    // The typed entry: its type's fill, its icon where the layout puts it, its reminder glyph
    // in the type's text colour.
    const QRect inner = timedRect.adjusted(1, 1, -1, -1);
    const ItemBoxLayout layout = LayoutItemBoxIcons(inner, 16, true, {1});
    ASSERT_EQ(layout.icons.size(), 2u);
    EXPECT_EQ(image.pixel(timedRect.right() - 3, timedRect.center().y()), redFill);
    EXPECT_EQ(image.pixel(layout.icons[0].rect.center()), qRgb(0, 200, 0));
    EXPECT_GT(CountIn(image, layout.icons[1].rect, white), 0);
    EXPECT_GT(CountIn(image, QRect(layout.textLeft, inner.top(), 60, inner.height()), white), 0); // text

    // The tall entry: the notes below the subject's line.
    const QRect below(tallRect.left() + 2, tallRect.top() + 20, tallRect.width() - 4, 40);
    EXPECT_GT(CountIn(image, below, black), 10);

    // The all-day bar: framed in the frame colour, notched on the side it continues from.
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_EQ(image.pixel(barRect.center().x(), barRect.top()), blue);
    EXPECT_EQ(image.pixel(barRect.right(), barRect.center().y()), blue);
    EXPECT_EQ(image.pixel(barRect.left(), barRect.center().y()), white);

    SetTypeIconSource(nullptr);
    SetItemTypeCatalog(nullptr);
    CMenuLook::Instance().SetColors(saved);
}

TEST(ItemBoxTest, GradientRunsFromTheTypesLightShadeToItsDarkOne)
{
    InitViewResources();
    if (GetDisplayColorCount(true) <= 256)
        GTEST_SKIP() << "no gradients at 256 colours or fewer";
    CItemTypeList types;
    CItemType blue(QStringLiteral("Blue"));
    blue.SetFlags(blue.GetFlags() | CItemType::kFlagOwnColors);
    blue.SetFillColor(0x00C08040);
    ASSERT_TRUE(types.AddType(blue, ImagePixels(32 * 32, 0), ImagePixels(16 * 16, 0)));
    SetItemTypeCatalog(&types);
    const GradientPair shades = types.GetType(0)->GetGradientColors();
    ASSERT_NE(shades.light, shades.dark);

    BoxView view;
    view.m_gradient = 1;
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Blue"),
                                            CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    const QRect box(0, 0, 40, 60);
    const QImage image = PaintImage(40, 60, [&](QPainter &p) { DrawItemBox(p, view, *e, box, false); });
    SetItemTypeCatalog(nullptr);
    // Sample the right edge, clear of the text.
    const QColor top = image.pixelColor(box.right() - 2, box.top() + 1);
    const QColor bottom = image.pixelColor(box.right() - 2, box.bottom() - 1);
    EXPECT_LE(std::abs(top.red() - ToQColor(shades.light).red()), 8);
    EXPECT_LE(std::abs(bottom.red() - ToQColor(shades.dark).red()), 8);
    EXPECT_GT(top.lightness(), bottom.lightness());
}

TEST(ItemBoxTest, KeptCaptionsCutEachToItsOwnWidthAndFont)
{
    // Boxes that share a caption at two widths, and a completed task with the same caption in its
    // own font, painted by one view that keeps its shaped captions: each box paints as it does
    // from a view that has kept nothing.
    BoxView view;
    QFont font;
    font.setPixelSize(12);
    QFont struck = font;
    struck.setStrikeOut(true);
    view.SetFonts(font, struck, font);
    view.m_rowHeight = 16;
    const QString caption = QStringLiteral("A caption much wider than the narrow box");
    auto event = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Type"),
                                                CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    event->SetSubject(caption);
    auto task = std::make_unique<CDisplayItem>(CDisplayItem::KindTask, 0, QStringLiteral("Type"),
                                               CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    task->SetSubject(caption);
    task->SetFlags(task->GetFlags() | CDisplayItem::FlagCompleted);
    const struct
    {
        const CDisplayItem *entry;
        QRect box;
    } boxes[] = {{event.get(), QRect(0, 0, 200, 18)},
                 {event.get(), QRect(0, 20, 60, 18)},
                 {task.get(), QRect(0, 40, 60, 18)},
                 {event.get(), QRect(0, 60, 200, 18)}};
    const QImage shared = PaintImage(200, 80, [&](QPainter &p) {
        for (int pass = 0; pass < 2; ++pass)
            for (const auto &b : boxes)
                DrawItemBox(p, view, *b.entry, b.box, false);
    });
    const QImage fresh = PaintImage(200, 80, [&](QPainter &p) {
        for (const auto &b : boxes) {
            BoxView own;
            own.SetFonts(font, struck, font);
            own.m_rowHeight = 16;
            DrawItemBox(p, own, *b.entry, b.box, false);
        }
    });
    EXPECT_EQ(shared, fresh);
}
