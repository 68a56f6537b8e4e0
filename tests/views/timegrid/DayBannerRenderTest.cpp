// Offscreen renders of the all-day banner window over a small set of items: the images go to
// the build tree for a person to look at, and the pixels are checked against the computed boxes.
#include "common/TempProfile.h"
#include "views/support/ViewFakes.h"
#include "views/timegrid/WorkWeekGuard.h"
#include "core/dates/WeekRules.h"
#include "views/timegrid/DayBannerWnd.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

CDateTime Day(int day)
{
    return CDateTime(2024, 3, day, 0, 0, 0); // 4 March 2024 is a Monday
}

class TodayBanner : public CDayBannerCtrl
{
  public:
    CDateTime Today() const override { return Day(6); }
};

struct FixtureItem
{
    std::uint32_t id;
    CDateTime start, end;
    const char *subject;
};

class BannerRenderTest : public ::testing::Test
{
  protected:
    void SetUp() override { SetFirstDayOfWeek(0); }

    // Renders the banner with the items; returns the image, also written as renders/<name>.png.
    QImage Render(CDayBannerWnd &wnd, const std::vector<FixtureItem> &items, const char *name)
    {
        CDayBannerCtrl &banner = wnd.GetBanner();
        for (const FixtureItem &item : items) {
            auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Appointment"),
                                                    item.start, item.end - item.start);
            e->SetItemRef(item.id);
            e->SetOccurrenceDate(item.start);
            e->SetSubject(QString::fromUtf8(item.subject));
            banner.AddEntry(std::move(e));
        }
        banner.Refresh(true);
        wnd.update();
        const QImage image = wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QDir dir(QCoreApplication::applicationDirPath());
        dir.mkpath(QStringLiteral("renders"));
        image.save(dir.filePath(QStringLiteral("renders/%1.png").arg(QString::fromLatin1(name))));
        return image;
    }

    // Shows the banner's window, 460 wide, with the days from Day(4) on.
    void Show(CDayBannerWnd &wnd, CDayBannerCtrl &banner, int height, int days, bool workWeek)
    {
        wnd.resize(460, height);
        banner.SetLabelWidth(44);
        banner.LoadViewOptions();
        banner.LoadFonts(false);
        banner.SetBannerDays(days, workWeek);
        banner.SetDate(Day(4), false, true);
        wnd.show();
        QCoreApplication::processEvents();
    }

    // Every shown item's box is framed where the banner placed it; an open side (continuing
    // before or after the shown days) is not.
    void ExpectBoxesAtTheirRectangles(const CDayBannerCtrl &banner, const QImage &image)
    {
        const QRgb frame = ToQColor(CMenuLook::Instance().GetColors().frame).rgb();
        ASSERT_GT(banner.GetEntryCount(), 0);
        for (int i = 0; i < banner.GetEntryCount(); ++i) {
            const CDisplayItem &e = *banner.GetEntry(i);
            const QRect box = banner.GetEntryRect(i).adjusted(3, 1, -3, -1);
            const int midY = box.top() + box.height() / 2;
            const std::string name = e.GetSubject().toStdString();
            EXPECT_EQ(image.pixel(box.left() + box.width() / 2, box.top()), frame) << name << " top edge";
            EXPECT_EQ(image.pixel(box.left() + box.width() / 2, box.bottom()), frame)
                << name << " bottom edge";
            EXPECT_EQ(image.pixel(box.left(), midY) == frame, !e.HasFlag(CDisplayItem::FlagBeginsBefore))
                << name << " left edge";
            EXPECT_EQ(image.pixel(box.right(), midY) == frame, !e.HasFlag(CDisplayItem::FlagEndsAfter))
                << name << " right edge";
            EXPECT_NE(image.pixel(box.left() - 1, midY), frame) << name << " nothing left of the box";
            EXPECT_NE(image.pixel(box.left() + box.width() / 2, box.bottom() + 2), frame)
                << name << " nothing in the gap below";
        }
    }

    TempProfile profile;
    WorkWeekGuard m_week;
};

} // namespace

TEST_F(BannerRenderTest, ThreeDays)
{
    SetWorkWeekMask(0x3E);
    TodayBanner banner;
    CDayBannerWnd wnd(banner);
    Show(wnd, banner, 120, 3, false);
    const QImage image = Render(wnd,
                                {{1, Day(4), Day(6), "Conference"},
                                 {2, Day(5), Day(6), "Holiday"},
                                 {3, Day(1), Day(9), "Trip"},
                                 {4, Day(6), Day(7), "Birthday"}},
                                "banner-three-days");
    ASSERT_EQ(banner.GetEntryCount(), 4);
    EXPECT_EQ(banner.GetRowCount(), 3);
    ExpectBoxesAtTheirRectangles(banner, image);

    // Today's column carries its two bars below the items; the strip shows above the columns.
    const QRgb today = ToQColor(CMenuLook::Instance().GetColors().today).rgb();
    const QRect todayColumn = banner.GetCellRect(banner.GetTodayColumn(), 0);
    ASSERT_EQ(banner.GetTodayColumn(), 2);
    const int below = banner.GetViewRect().bottom() - 1;
    EXPECT_EQ(image.pixel(todayColumn.left() + 1, below), today);
    EXPECT_EQ(image.pixel(todayColumn.left() + todayColumn.width() - 1, below), today);
    EXPECT_NE(image.pixel(todayColumn.left() + 5, below), today);
    const QRgb header = ToQColor(CMenuLook::Instance().GetColors().headerBackground).rgb();
    EXPECT_EQ(image.pixel(banner.GetCaptionRect(1).left() + 2, 2), header);
    // The corner's glyph takes the strip's colours.
    const QImage &glyph = banner.GetDaysGlyph();
    ASSERT_EQ(glyph.size(), QSize(11, 8));
    const QRgb text = ToQColor(CMenuLook::Instance().GetColors().headerText).rgb();
    int textPixels = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb pixel = glyph.pixel(x, y) | 0xFF000000u;
            EXPECT_TRUE(pixel == text || pixel == header) << x << "," << y;
            textPixels += pixel == text;
        }
    }
    EXPECT_GT(textPixels, 10);
    EXPECT_TRUE(wnd.GetScrollBar()->isVisible());
    EXPECT_FALSE(wnd.GetScrollBar()->isEnabled()) << "nothing to scroll";
}

TEST_F(BannerRenderTest, WorkWeekWithDaysApart)
{
    SetWorkWeekMask(0x2A); // Monday, Wednesday, Friday
    TodayBanner banner;
    CDayBannerWnd wnd(banner);
    Show(wnd, banner, 70, 5, true);
    const QImage image = Render(wnd,
                                {{1, Day(5), Day(8), "Workshop"},
                                 {2, Day(4), Day(10), "Sprint"},
                                 {3, Day(9), Day(11), "Weekend"},
                                 {4, Day(8), Day(9), "Friday"},
                                 {5, Day(4), Day(5), "Monday"}},
                                "banner-work-week");
    EXPECT_EQ(banner.GetColumnCount(), 3);
    EXPECT_EQ(banner.GetEntryCount(), 4) << "the weekend item shows on no work day";
    ExpectBoxesAtTheirRectangles(banner, image);
    // Three lanes in a window with room for two rows: the bar can scroll.
    EXPECT_EQ(banner.GetRowCount(), 2);
    banner.AddEntry(std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Appointment"),
                                                   Day(4), CDateSpan(5.0)));
    banner.Refresh(true);
    EXPECT_EQ(banner.GetRowCount(), 3);
    EXPECT_TRUE(wnd.GetScrollBar()->isEnabled());
    EXPECT_EQ(wnd.GetScrollBar()->maximum(), banner.GetLastTopRow());
    // An edit open on the second row moves with the content when the bar scrolls.
    FakeContainer container;
    banner.SetContainer(&container);
    int second = -1;
    for (int i = 0; i < banner.GetEntryCount(); ++i) {
        if (banner.GetEntry(i)->GetRect().top() == banner.GetViewRect().top() + banner.GetLaneStep())
            second = i;
    }
    ASSERT_GE(second, 0);
    const CDisplayItem &entry = *banner.GetEntry(second);
    banner.SetOccurrenceState(entry.GetItemRef(), entry.GetOccurrenceDate(), 0x03, 0x03, false);
    banner.SetFocusedEntry(second);
    banner.EditFocusedItem();
    ASSERT_TRUE(banner.IsEditing());
    const QPoint editAt = wnd.GetEdit()->pos();
    wnd.GetScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(banner.GetTopRow(), 1);
    EXPECT_EQ(wnd.GetScrollBar()->value(), 1);
    EXPECT_EQ(wnd.GetEdit()->pos(), editAt - QPoint(0, banner.GetRowHeight()));
    banner.EndEdit(false, false);
    banner.SetContainer(nullptr);
}
