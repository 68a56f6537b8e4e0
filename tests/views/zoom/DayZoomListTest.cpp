// The zoom-day popup on the offscreen platform: sizing, rows, keys reaching the list's logic and
// closing; a render is written under renders/.
#include "views/zoom/DayZoomList.h"
#include "views/support/ViewFakes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
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

    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(dir);
    EXPECT_TRUE(list->grab().save(QDir(dir).filePath(QStringLiteral("zoom-day.png"))));

    SendKey(list->GetList(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CDayZoomList::Current(), nullptr);
}

} // namespace
