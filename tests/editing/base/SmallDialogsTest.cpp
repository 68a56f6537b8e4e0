// The small dialogs: Go To Date, Date and Time with the time of OK, the notes field's menu and
// links, and renders of them and of the occurrence-or-series prompt.
#include "../DialogRenders.h"

#include "common/FakeMessagePort.h"
#include "core/dates/DateRules.h"
#include "core/items/ItemTestUtil.h"
#include "editing/base/DateTimeChoices.h"
#include "editing/base/GoToDateDlg.h"
#include "editing/base/InsertDateTimeDlg.h"
#include "editing/base/LinkDetector.h"
#include "editing/base/NotesEdit.h"
#include "editing/base/RecurrencePromptDlg.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

TEST(InsertDateTimeTest, TwentyFourHourRowsOnlyForTwelveHourLocales)
{
    const CDateTime now = At(2024, 5, 3, 14, 5, 9);
    const QStringList us = CDateTimeChoices::Rows(now, QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(us.size(), 8);
    EXPECT_EQ(us[6], QStringLiteral("14:05"));
    EXPECT_EQ(us[7], QStringLiteral("14:05:09"));
    EXPECT_EQ(us[5], QStringLiteral("2:05:09 PM"));
    EXPECT_TRUE(us[1].contains(QStringLiteral("May")));
    const QStringList de = CDateTimeChoices::Rows(now, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.size(), 6);
    EXPECT_EQ(de[5], QStringLiteral("14:05:09"));
}

TEST(InsertDateTimeTest, TheTimeOfOkIsInserted)
{
    CDateTime now = At(2024, 5, 3, 9, 0);
    SetNowProvider([&now] { return now; });
    CInsertDateTimeDlg dialog(nullptr, QLocale(QLocale::English, QLocale::UnitedStates));
    dialog.GetList()->setCurrentRow(7);
    now = At(2024, 5, 3, 9, 1, 30);
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), QStringLiteral("09:01:30"));
    RenderDialog(dialog, "insert_date_time");
    SetNowProvider({});
}

TEST(GoToDateTest, KeepsTheDateGiven)
{
    CGoToDateDlg dialog(At(2024, 2, 29));
    dialog.accept();
    EXPECT_EQ(dialog.GetDate(), At(2024, 2, 29));
    RenderDialog(dialog, "go_to_date");
}

TEST(NotesEditTest, ReadOnlyMenuLacksInsertAndEditing)
{
    const auto ro = NotesCommandState::For(true, true, true, true);
    EXPECT_TRUE(ro.copy);
    EXPECT_FALSE(ro.cut || ro.paste || ro.undo || ro.clear || ro.insertDateTime);
    const auto rw = NotesCommandState::For(false, false, true, false);
    EXPECT_TRUE(rw.paste && rw.insertDateTime);
    EXPECT_FALSE(rw.cut || rw.copy || rw.clear || rw.undo);

    CNotesEdit edit;
    edit.setReadOnly(true);
    std::unique_ptr<QMenu> menu(edit.CreateNotesMenu(nullptr));
    for (QAction *action : menu->actions())
        EXPECT_FALSE(action->text().contains(QStringLiteral("Date"))) << action->text().toStdString();
}

class PasteProbe : public CNotesEdit
{
  public:
    using CNotesEdit::CNotesEdit;
    void Paste(const QMimeData *data) { insertFromMimeData(data); }
};

TEST(NotesEditTest, PastesPlainTextLimitsLengthAndKeepsRecordLineEnds)
{
    PasteProbe edit(nullptr, 12);
    edit.SetPlainTextPaste(true);
    QMimeData rich;
    rich.setHtml(QStringLiteral("<b>bold</b> text"));
    rich.setText(QStringLiteral("bold text"));
    edit.Paste(&rich);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("bold text"));
    EXPECT_FALSE(edit.document()->toHtml().contains(QStringLiteral("font-weight:700")));
    edit.textCursor().insertText(QStringLiteral(" and more"));
    EXPECT_EQ(edit.toPlainText().size(), 12) << "cut at the limit";
    edit.SetStoredText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("a\nb"));
    EXPECT_EQ(edit.GetStoredText(), QStringLiteral("a\r\nb"));
}

TEST(LinkDetectorTest, FindsWebAndMailLinksOnly)
{
    const auto links = CLinkDetector::Find(
        QStringLiteral("See https://example.org/a?b=1, www.test.net. Mail mailto:me@x.org; not ftp://x.org"));
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].url.toString(), QStringLiteral("https://example.org/a?b=1"));
    EXPECT_EQ(links[1].url.toString(), QStringLiteral("http://www.test.net"));
    EXPECT_EQ(links[2].url.scheme(), QStringLiteral("mailto"));
    EXPECT_FALSE(CLinkDetector::MayOpen(QUrl(QStringLiteral("file:///etc/passwd"))));
}

TEST(NotesEditTest, TypedLinkBecomesAnAnchor)
{
    CNotesEdit edit;
    edit.setPlainText(QStringLiteral("go to https://example.org now"));
    const QTextCursor cursor = [&] {
        QTextCursor c(edit.document());
        c.setPosition(10);
        return c;
    }();
    EXPECT_EQ(cursor.charFormat().anchorHref(), QStringLiteral("https://example.org"));
}

TEST(RecurrencePromptRender, Prompt)
{
    CRecurrencePromptDlg prompt(1, 0, QStringLiteral("Weekly planning meeting with the whole team"));
    RenderDialog(prompt, "recurrence_prompt");
    CRecurrencePromptDlg remove(2, 1, QString(100, QLatin1Char('x')));
    RenderDialog(remove, "recurrence_prompt_delete_task");
}

} // namespace
