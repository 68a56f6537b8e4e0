// The zoom-day popup on the offscreen platform: sizing, rows, keys reaching the list's logic,
// what the render shows, where the keyboard menu opens, and closing; the render is written
// under renders/.
#include "views/zoom/DayZoomList.h"
#include "views/support/ViewFakes.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<CDisplayItem> Row(const QString &subject, const CDateTime &start, const CDateSpan &length)
{
    auto e =
        std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Type"), start, length);
    e->SetSubject(subject);
    e->SetFlags(e->GetFlags() | CDisplayItem::FlagOwnItem);
    return e;
}

void SendKey(QWidget *to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(to, &press);
}

TEST(DayZoomListTest, ShowsTheDayAndClosesOnEscape)
{
    FakeContainer container;
    auto *list = new CDayZoomList(&container, 3, CDateTime(2024, 9, 12), true, nullptr);
    EXPECT_EQ(CDayZoomList::Current(), list);
    QFont font;
    font.setPixelSize(13);
    list->SetFonts(font);
    list->AddRow(Row(QStringLiteral("Lunch"), CDateTime(2024, 9, 12, 12, 0, 0), CDateSpan(0, 1, 0, 0)));
    list->AddRow(Row(QStringLiteral("Holiday"), CDateTime(2024, 9, 11), CDateSpan(3.0)));
    list->AddRow(Row(QStringLiteral("Call"), CDateTime(2024, 9, 12, 9, 30, 0), CDateSpan(0, 0, 30, 0)));
    list->FitWindowSize();
    list->MeasureTimeColumns();
    list->show();
    EXPECT_EQ(list->width(), 400);
    EXPECT_GE(list->height(), 360);
    ASSERT_EQ(list->GetList()->count(), 3);
    EXPECT_EQ(list->GetList()->item(1)->text(), QStringLiteral("Call")); // display order

    list->GetList()->item(1)->setSelected(true);
    EXPECT_TRUE(list->GetModel().IsSelected(1));
    SendKey(list->GetList(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->GetModel().GetSelectedCount(), 3);
    EXPECT_EQ(list->GetList()->selectedItems().size(), 3);

    // The render: the heading band in the header colour with the date drawn on it, and every
    // row painted with its text.
    const QImage image = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRgb heading = ToQColor(colors.headerBackground).rgb();
    const int headingY = list->GetList()->geometry().top() - list->GetHeadingHeight() / 2;
    EXPECT_EQ(image.pixel(12, headingY), heading);
    const auto inkIn = [&image](const QRect &r, QRgb background) {
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += image.pixel(x, y) != background;
        return ink;
    };
    EXPECT_GT(inkIn(QRect(100, headingY - 3, 200, 6), heading), 20) << "no date in the heading";
    const QPoint listAt = list->GetList()->geometry().topLeft() + list->GetList()->viewport()->geometry().topLeft();
    for (int row = 0; row < 3; ++row) {
        const QRect r = list->GetList()->visualItemRect(list->GetList()->item(row)).translated(listAt);
        ASSERT_TRUE(image.rect().contains(r)) << row;
        const QRgb fill = image.pixel(r.right() - 3, r.center().y());
        EXPECT_GT(inkIn(r.adjusted(2, 2, -2, -2), fill), 20) << "row " << row << " has no text";
    }

    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(QStringLiteral("zoom-day.png"))));

    // From the keyboard the menu opens half a row inside the first selected row, else at the
    // window's corner.
    list->GetList()->clearSelection();
    EXPECT_EQ(list->KeyboardMenuPos(), list->mapToGlobal(QPoint(0, 0)));
    list->GetList()->item(2)->setSelected(true);
    const QRect third = list->GetList()->visualItemRect(list->GetList()->item(2));
    const int half = list->GetRowHeight() / 2;
    EXPECT_EQ(list->KeyboardMenuPos(), list->GetList()->viewport()->mapToGlobal(third.topLeft() + QPoint(half, half)));

    SendKey(list->GetList(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CDayZoomList::Current(), nullptr);
}

} // namespace
