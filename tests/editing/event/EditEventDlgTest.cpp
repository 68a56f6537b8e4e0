// The event editor's window offscreen: typed into from key events and saved into the file, its
// states for a series and an occurrence, and renders of the editor and the recurrence dialog.
#include "EventSaveFixture.h"

#include "../DialogRenders.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "core/lists/MasterList.h"
#include "editing/base/EditorFields.h"
#include "editing/base/NotesEdit.h"
#include "editing/event/EditEventDlg.h"
#include "editing/event/EventRecurrenceDlg.h"
#include "toolkit/drawing/ImagePixelsQt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

namespace event_save_test {
namespace {

void TypeText(QWidget *target, const QString &text)
{
    target->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &release);
    }
}

// Replaces an editable combo's text by typing; the field is not left.
void TypeInto(QComboBox *combo, const QString &text)
{
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    combo->lineEdit()->selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(combo, &press);
        QKeyEvent release(QEvent::KeyRelease, c.unicode(), Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(combo, &release);
    }
}

// Replaces an editable combo's text by typing, then leaves the field with Tab.
void TypeOver(QComboBox *combo, const QString &text)
{
    TypeInto(combo, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(combo, &leave);
}

class EditEventDlgTest : public EventSaveFixture
{
  public:
    EventEditorContext Context()
    {
        m_store = std::make_unique<CDocumentEventStore>(m_doc);
        return {m_store.get(), &m_doc.GetMasterList(), &m_doc.GetDataFile()};
    }
    std::unique_ptr<CItemRef> NewHolder(const CDateTime &start)
    {
        auto holder = std::make_unique<CItemRef>(1);
        holder->GetEvent()->SetStart(start);
        holder->GetEvent()->SetDuration(Hours(1));
        return holder;
    }
    std::unique_ptr<CDocumentEventStore> m_store;
};

TEST_F(EditEventDlgTest, TypedSubjectTimesAndRecurrenceReachTheFile)
{
    auto holder = NewHolder(At(2024, 5, 6, 9, 0));
    CEditEventDlg dialog(std::move(holder), Context(), false, false, nullptr, EventEditorSettings());
    ASSERT_TRUE(dialog.IsLoaded());
    dialog.show();
    auto *subject = dialog.findChild<CNotesEdit *>(QStringLiteral("subject"));
    ASSERT_NE(subject, nullptr);
    TypeText(subject, QStringLiteral("Team lunch"));
    EXPECT_EQ(subject->toPlainText(), QStringLiteral("Team lunch"));

    // The start time typed and left with Tab moves the end; so does the duration.
    auto *endTime = dialog.findChild<QWidget *>(QStringLiteral("endTime"));
    TypeOver(dialog.findChild<QComboBox *>(QStringLiteral("startTime")), QStringLiteral("12:00"));
    EXPECT_EQ(CEditorFields::GetTime(endTime), CDateTime(1899, 12, 30, 13, 0, 0));
    TypeOver(dialog.findChild<QComboBox *>(QStringLiteral("duration")), QStringLiteral("90"));
    EXPECT_EQ(CEditorFields::GetTime(endTime), CDateTime(1899, 12, 30, 13, 30, 0));

    // Recurrence: weekly on Mondays, as the dialog opens for a Monday start.
    QTimer::singleShot(0, &dialog, [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *recurrence = qobject_cast<CEventRecurrenceDlg *>(w)) {
                recurrence->accept();
                return;
            }
        }
    });
    dialog.OnRecurrence();
    EXPECT_TRUE(dialog.GetModel().GetEvent().IsRecurring());
    EXPECT_EQ(dialog.findChild<QStackedWidget *>()->currentIndex(), 1) << "a series shows its pattern";

    auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_EQ(dialog.GetResult(), 1);
    const auto records = Reopened();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], Rec("Team lunch", At(2024, 5, 6, 12, 0), 1.5 / 24, true));
}

TEST_F(EditEventDlgTest, StartTimeTypedButNotLeftIsSavedByOk)
{
    CEditEventDlg dialog(NewHolder(At(2024, 5, 6, 9, 0)), Context(), false, false, nullptr,
                         EventEditorSettings());
    ASSERT_TRUE(dialog.IsLoaded());
    dialog.show();
    TypeText(dialog.findChild<CNotesEdit *>(QStringLiteral("subject")), QStringLiteral("Call"));
    TypeInto(dialog.findChild<QComboBox *>(QStringLiteral("startTime")), QStringLiteral("14:30"));
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.GetResult(), 1);
    const auto records = Reopened();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], Rec("Call", At(2024, 5, 6, 14, 30), 1.0 / 24));
}

TEST_F(EditEventDlgTest, CancelAsksOnlyWhenModified)
{
    CEditEventDlg dialog(NewHolder(At(2024, 5, 6, 9, 0)), Context(), false, false, nullptr,
                         EventEditorSettings());
    dialog.reject();
    EXPECT_TRUE(m_messages.shown.isEmpty());

    CEditEventDlg typed(NewHolder(At(2024, 5, 6, 9, 0)), Context(), false, false, nullptr,
                        EventEditorSettings());
    typed.findChild<CNotesEdit *>(QStringLiteral("notes"))->setPlainText(QStringLiteral("x"));
    m_messages.answer = MessageResult::Cancel;
    typed.reject();
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.LastText(), QStringLiteral("Do you want to save changes?"));
    EXPECT_EQ(m_messages.shown.last().icon, MessageIcon::Warning);
    EXPECT_EQ(m_messages.shown.last().buttons, MessageButtons::YesNoCancel);
}

TEST_F(EditEventDlgTest, DeleteAsksThenRemovesTheEvent)
{
    const std::uint32_t id = AddEvent(QStringLiteral("Dentist"), At(2024, 5, 3, 14, 0), Minutes(15));
    auto holder = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindEvent, id), S_OK);
    CEditEventDlg dialog(std::move(holder), Context(), false, false, nullptr, EventEditorSettings());
    m_messages.answer = MessageResult::No;
    dialog.OnDelete();
    EXPECT_EQ(m_messages.LastText(), QStringLiteral("Are you sure you want to delete the 'Dentist' item?"));
    EXPECT_EQ(m_messages.shown.last().icon, MessageIcon::Warning);
    EXPECT_EQ(Reopened().size(), 1u);

    auto again = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*again, CCalendarItem::KindEvent, id), S_OK);
    CEditEventDlg second(std::move(again), Context(), false, false, nullptr, EventEditorSettings());
    m_messages.answer = MessageResult::Yes;
    second.OnDelete();
    EXPECT_EQ(second.GetResult(), 0);
    for (const StoredEvent &e : Reopened())
        EXPECT_TRUE(e.deleted) << "no live record is left";
}

TEST_F(EditEventDlgTest, WithoutAParentTheEditorRunsModelessAndDeletesItself)
{
    std::vector<bool> calls;
    SetReminderWindowsEnabler([&calls](bool enable) { calls.push_back(enable); });
    CEditEventDlg::OpenEventEditor(NewHolder(At(2024, 5, 6, 9, 0)), Context(), nullptr, false, false, false,
                                   false);
    QPointer<CEditEventDlg> editor;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<CEditEventDlg *>(w))
            editor = found;
    }
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->IsModeless());
    EXPECT_EQ(calls, std::vector<bool>{false});
    editor->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
    SetReminderWindowsEnabler(nullptr);
}

TEST_F(EditEventDlgTest, ResizedEditorKeepsItsSizeWithTheEvent)
{
    const std::uint32_t id = StoreWeeklySeries();
    {
        auto holder = std::make_unique<CItemRef>();
        ASSERT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindEvent, id), S_OK);
        CEditEventDlg dialog(std::move(holder), Context(), false, false, nullptr, EventEditorSettings());
        dialog.resize(dialog.width() + 60, dialog.height() + 40);
        dialog.accept();
        EXPECT_EQ(dialog.GetResult(), 1);
    }
    auto holder = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindEvent, id), S_OK);
    EXPECT_TRUE(holder->GetEvent()->HasFlag(CCalendarItem::FlagEditorWindowSize));
    CEditEventDlg reopened(std::move(holder), Context(), false, false, nullptr, EventEditorSettings());
    EXPECT_EQ(reopened.width(), 520 + 60);
    EXPECT_EQ(reopened.height(), 560 + 40);
}

TEST_F(EditEventDlgTest, RendersOfTheEditorAndTheRecurrenceDialog)
{
    m_doc.GetLocationList().Add(CCategory(QStringLiteral("Room 2")));
    auto holder = NewHolder(At(2024, 5, 6, 9, 0));
    holder->GetEvent()->SetItemTypeName(QStringLiteral("Meeting"));
    CEditEventDlg fresh(std::move(holder), Context(), false, false, nullptr, EventEditorSettings());
    fresh.findChild<CNotesEdit *>(QStringLiteral("notes"))
        ->setPlainText(QStringLiteral("Agenda at https://example.org/agenda\nBring the slides."));
    RenderDialog(fresh, "editor_new");

    const std::uint32_t id = StoreWeeklySeries();
    auto series = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*series, CCalendarItem::KindEvent, id), S_OK);
    CEditEventDlg whole(std::move(series), Context(), false, false, nullptr, EventEditorSettings());
    EXPECT_FALSE(whole.findChild<QPushButton *>(QStringLiteral("modifySeries"))->isVisibleTo(&whole));
    RenderDialog(whole, "editor_series");

    auto one = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*one, CCalendarItem::KindEvent, id), S_OK);
    one->SetOccurrenceDate(At(2024, 5, 13, 9, 0));
    one->GetEvent()->InsertException(At(2024, 5, 13, 9, 0));
    one->GetEvent()->SetRecordId(0);
    CEditEventDlg occurrence(std::move(one), Context(), false, true, nullptr, EventEditorSettings());
    ASSERT_TRUE(occurrence.IsLoaded());
    EXPECT_TRUE(
        occurrence.findChild<QPushButton *>(QStringLiteral("modifySeries"))->isVisibleTo(&occurrence));
    EXPECT_FALSE(occurrence.findChild<QPushButton *>(QStringLiteral("recurrence"))->isEnabled());
    RenderDialog(occurrence, "editor_occurrence");

    CEventItem event =
        MakeSeries(At(2024, 5, 8, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Wednesday, 1);
    CEventRecurrenceDlg recurrence(event, false);
    const std::pair<std::uint32_t, const char *> pages[] = {{Recur::Daily, "recurrence_daily"},
                                                            {Recur::Weekly, "recurrence_weekly"},
                                                            {Recur::Monthly, "recurrence_monthly"},
                                                            {Recur::Yearly, "recurrence_yearly"}};
    for (const auto &[period, name] : pages) {
        recurrence.ShowPeriod(period);
        RenderDialog(recurrence, name);
    }
}

// The type choices carry each type's small icon, and the type's own colours where it has them.
TEST_F(EditEventDlgTest, TypeChoicesShowEachTypesIconAndColours)
{
    CItemTypeList &list = m_doc.GetItemTypes();
    ItemTypeArray types;
    CImageList large, small;
    ASSERT_TRUE(list.CopyTypes(types, large, small));
    ASSERT_GE(types.size(), 2u);
    const QColor marks[] = {QColor(200, 40, 40), QColor(40, 120, 200), QColor(40, 160, 60)};
    for (int i = 0; i < int(types.size()); ++i) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        painter.setBrush(marks[i % 3]);
        painter.drawEllipse(2, 2, 11, 11);
        painter.end();
        ASSERT_TRUE(small.Replace(i, PixelsFromImage(icon, 16, 16)));
        QImage big(32, 32, QImage::Format_ARGB32);
        big.fill(Qt::transparent);
        QPainter bigPainter(&big);
        bigPainter.setBrush(marks[i % 3]);
        bigPainter.drawEllipse(4, 4, 23, 23);
        bigPainter.end();
        ASSERT_TRUE(large.Replace(i, PixelsFromImage(big, 32, 32)));
    }
    types[1]->SetFlags(types[1]->GetFlags() | CItemType::kFlagOwnColors);
    types[1]->SetFillColor(0x00C0FFFF); // light yellow
    types[1]->SetTextColor(0x00800000); // navy
    types[0]->SetFlags(types[0]->GetFlags() & ~CItemType::kFlagOwnColors);
    ASSERT_TRUE(list.SetTypes(types, large, small));
    SetItemTypeCatalog(&list);
    struct Unset
    {
        ~Unset() { SetItemTypeCatalog(nullptr); }
    } unset;

    CEditEventDlg dialog(NewHolder(At(2024, 5, 6, 9, 0)), Context(), false, false, nullptr,
                         EventEditorSettings());
    auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("type"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), list.GetTypeCount());
    for (int i = 0; i < combo->count(); ++i)
        EXPECT_FALSE(combo->itemIcon(i).isNull()) << i;
    const QImage first = combo->itemIcon(0).pixmap(16, 16).toImage();
    EXPECT_EQ(first.pixelColor(8, 8).rgb(), marks[0].rgb());
    EXPECT_EQ(combo->itemData(1, Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(combo->itemData(1, Qt::ForegroundRole).value<QColor>(), QColor(0x00, 0x00, 0x80));
    EXPECT_FALSE(combo->itemData(0, Qt::BackgroundRole).isValid()) << "no colours of its own";

    // The window shows the icons of the event's type, small and large, and follows a new choice.
    auto iconColour = [&](int size) { return dialog.windowIcon().pixmap(size, size).toImage().pixelColor(size / 2, size / 2).rgb(); };
    for (const int chosen : {0, 1}) {
        combo->setCurrentIndex(chosen);
        emit combo->activated(chosen);
        EXPECT_EQ(iconColour(16), marks[chosen % 3].rgb()) << chosen;
        EXPECT_EQ(iconColour(32), marks[chosen % 3].rgb()) << chosen;
    }
    EXPECT_TRUE(dialog.windowIcon().availableSizes().contains(QSize(32, 32)));

    combo->setCurrentIndex(1);
    emit combo->activated(1);
    RenderDialog(dialog, "editor_type_choices");
    combo->showPopup();
    QCoreApplication::processEvents();
    RenderDialog(*combo->view()->window(), "editor_type_popup");
    combo->hidePopup();
}

} // namespace
} // namespace event_save_test
