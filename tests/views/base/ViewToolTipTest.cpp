// Tooltips of the views: whole texts however long, the wrap width rule, real dates on continued
// all-day bars, and item texts with markup characters shown as written.
#include "views/base/EntryHitView.h"
#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/items/DisplayItem.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/TipText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {
QFont TipFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    return f;
}

QString Words(int count)
{
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << QStringLiteral("word%1").arg(i);
    return words.join(QLatin1Char(' '));
}
} // namespace

TEST(ViewToolTipTest, WrapWidthRule)
{
    const QFont font = TipFont();
    const QFontMetrics fm(font);
    const QString longLine = Words(40);
    ASSERT_GT(fm.horizontalAdvance(longLine), 400);
    EXPECT_EQ(TipWrapWidth(QStringLiteral("Lunch"), font), fm.horizontalAdvance(QStringLiteral("Lunch")));
    EXPECT_EQ(TipWrapWidth(QStringLiteral("Lunch\nMeeting - [x]"), font), 400);
    EXPECT_EQ(TipWrapWidth(longLine + QStringLiteral("\nmore"), font), fm.horizontalAdvance(longLine));
}

TEST(ViewToolTipTest, WrappedLinesKeepTheWholeText)
{
    const QFont font = TipFont();
    const QString notes = Words(300);
    const QString text = QStringLiteral("Subject\r\n") + notes;
    const int width = TipWrapWidth(text, font);
    const QStringList lines = WrapTipLines(text, font, width);
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines.first(), QStringLiteral("Subject"));
    const QFontMetrics fm(font);
    for (const QString &line : lines)
        EXPECT_LE(fm.horizontalAdvance(line), width) << line.toStdString();
    EXPECT_EQ(lines.mid(1).join(QLatin1Char(' ')), notes);
    // Without a width the text keeps its own lines.
    EXPECT_EQ(WrapTipLines(text, font, 0), (QStringList{QStringLiteral("Subject"), notes}));
}

TEST(ViewToolTipTest, TipTextIsWholeAndContinuedBarsShowRealDates)
{
    BuildLocaleFormats(LocaleDateData());
    EntryHitView view;
    auto longOne = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QStringLiteral("Meeting"),
                                                  CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    const QString subject = Words(30);
    longOne->SetSubject(subject);
    longOne->SetNotes(Words(100));
    view.AddEntry(std::move(longOne));
    // A piece of a five-day bar that began before the shown days and goes on after them.
    auto bar = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QStringLiteral("Holiday"),
                                              CDateTime(2024, 3, 1), CDateSpan(5.0));
    bar->SetSubject(QStringLiteral("Trip"));
    bar->SetFlags(bar->GetFlags() | CDisplayItem::FlagBeginsBefore | CDisplayItem::FlagEndsAfter);
    view.AddEntry(std::move(bar));

    for (int detailed : {0, 1}) {
        ProgramSettings().detailedItems = detailed;
        const QString tip = view.ToolTipText(0 * 1024 + 1);
        EXPECT_TRUE(tip.contains(subject)) << detailed;
        if (detailed) {
            EXPECT_TRUE(tip.contains(Words(100))) << "notes shown whole";
        }
    }
    const QString barTip = view.ToolTipText(1 * 1024 + 1);
    const QString &format = GetLocaleFormats().weekdayDateTime;
    EXPECT_TRUE(barTip.contains(FormatDateTime(CDateTime(2024, 3, 1), format))) << barTip.toStdString();
    EXPECT_TRUE(barTip.contains(FormatDateTime(CDateTime(2024, 3, 6), format))) << barTip.toStdString();
    EXPECT_FALSE(barTip.contains(QStringLiteral("1899")));
    ProgramSettings().detailedItems = 1;
}

TEST(ViewToolTipTest, WindowShowsTheTextAsWritten)
{
    ProgramSettings().detailedItems = 1;
    EntryHitView view;
    view.SetFonts(TipFont(), TipFont(), TipFont());
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QStringLiteral("Meeting"),
                                            CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    e->SetSubject(QStringLiteral("Q&A <draft> ") + Words(20));
    e->SetCategories(QStringLiteral("Work"));
    e->SetRect(QRect(10, 10, 100, 20));
    view.AddEntry(std::move(e));
    CCalendarViewWnd wnd(view);
    wnd.resize(200, 60);
    wnd.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(20, 15), wnd.mapToGlobal(QPoint(20, 15)));
    QApplication::sendEvent(&wnd, &help);
    const QString shown = QToolTip::text();
    EXPECT_TRUE(shown.contains(QStringLiteral("Q&amp;A &lt;draft&gt;"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("&lt;Work&gt;")));
    EXPECT_TRUE(shown.contains(QStringLiteral("word19")));
    QHelpEvent away(QEvent::ToolTip, QPoint(150, 50), wnd.mapToGlobal(QPoint(150, 50)));
    QApplication::sendEvent(&wnd, &away);
    QToolTip::hideText();
}
