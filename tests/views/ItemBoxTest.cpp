// Item-box icon sizes by row height, and an offscreen render of a view with entries.
#include "views/ItemBox.h"
#include "core/DisplayItem.h"
#include "views/CalendarViewWnd.h"
#include "views/MenuLook.h"

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
