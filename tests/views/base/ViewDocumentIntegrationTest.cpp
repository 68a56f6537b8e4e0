// A week strip view in an offscreen window over real data files: items are shown, hit-tested,
// selected with the mouse and keys, opened, moved, resized and edited in place, and the changes
// are found in the file again; a copy from one file pastes into another unchanged.
#include "views/support/ViewFakes.h"
#include "core/document/DocumentTestSupport.h"
#include "core/items/RecurrenceBits.h"
#include "core/document/TransferFormat.h"
#include "core/document/TransferWriter.h"
#include "views/base/CalendarViewWnd.h"
#include "views/drawing/ItemBox.h"
#include "views/base/ViewDropTarget.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

using namespace document_test;

namespace {
constexpr int kCell = 60;
constexpr int kHeader = 20;
constexpr int kRow = 18;
const CDateTime kMonday = CDateTime(2024, 3, 11, 0, 0, 0);

// Seven day columns from a Monday, each entry a bar in a row of its own under a header.
class WeekStripView : public CCalendarViewCtrl
{
  public:
    WeekStripView()
    {
        SetViewKind(3);
        SetDayCount(7);
        SetFirstDate(kMonday);
        m_vertical = 0;
        m_rowHeight = kRow;
    }
    int CellFromPoint(const QPoint &p) const override
    {
        if (p.x() < 0 || p.y() < 0 || p.x() >= kCell * GetDayCount())
            return -1;
        return p.x() / kCell;
    }
    int CellFromDate(const CDateTime &d, int * = nullptr) const override
    {
        const int cell = int(std::floor((d.DatePart() - GetFirstDate()).GetTotalDays() + 1e-9));
        return std::clamp(cell, 0, GetDayCount() - 1);
    }
    QRect GetCellRect(int cell, int) const override { return QRect(cell * kCell, 0, kCell, 400); }
    int HitTest(const QPoint &p, int *index) const override
    {
        const int entry = EntryFromPoint(p);
        if (entry >= 0) {
            *index = entry;
            const QRect r = GetEntryRect(entry);
            if (p.x() <= r.left() + 2)
                return HitEntryStart;
            if (p.x() >= r.right() - 2)
                return HitEntryEnd;
            return HitEntryBody;
        }
        *index = CellFromPoint(p);
        return *index < 0 ? HitNothing : HitCell;
    }
    void LayoutEntries() override
    {
        int row = 0;
        for (const auto &e : GetEntries()) {
            const int first = CellFromDate(e->GetStart());
            const CDateTime end =
                e->GetEnd() > e->GetStart() ? e->GetEnd() - CDateSpan(1.0 / 86400) : e->GetEnd();
            const int last = std::max(first, CellFromDate(end));
            e->SetCells(first, last);
            e->SetRect(QRect(first * kCell, kHeader + kRow * row++, (last - first + 1) * kCell, kRow));
        }
    }
    void Draw(QPainter &painter, const QRect &) override
    {
        for (const auto &e : GetEntries()) {
            if (!e->HasState(CDisplayItem::StateHidden))
                DrawItemBox(painter, *this, *e, e->GetRect(),
                            IsEditing() && GetEditedEntry() && GetEditedEntry()->IsSame(*e));
        }
    }
    void EditFocusedItem() override { EditFocusedEntryShared(); }
    int BeginInPlaceEdit() override
    {
        const CDisplayItem *focused = GetEntry(GetFocusedEntry());
        if (focused)
            OpenEditFor(focused->Clone(), GetEntryRect(GetFocusedEntry()), focused->GetSubject());
        return 1;
    }
};

// The document's operations as a container hands them to its view.
class DocumentPort : public IViewDocument
{
  public:
    explicit DocumentPort(CCalendarDocument &doc) : m_doc(doc) {}
    HRESULT LoadEvent(std::uint32_t id, CItemRef &out) override
    {
        return m_doc.LoadItemRef(out, CDisplayItem::KindEvent, id);
    }
    HRESULT LoadTask(std::uint32_t id, CItemRef &out) override
    {
        return m_doc.LoadItemRef(out, CDisplayItem::KindTask, id);
    }
    HRESULT SaveEventRef(CItemRef &ref) override { return m_doc.SaveEventRef(ref); }
    HRESULT SaveTaskRef(CItemRef &ref) override { return m_doc.SaveTaskRef(ref); }
    const IItemTypeCatalog *GetItemTypes() const override { return &m_doc.GetItemTypes(); }
    std::uint32_t GetFormatVersion() const override { return m_doc.GetDataFile().GetFormatVersion(); }

  private:
    CCalendarDocument &m_doc;
};

// A window whose drag loop plays a drag to a point of its own and drops there, as Qt's loop
// would deliver it.
class PlayingWnd : public CCalendarViewWnd
{
  public:
    using CCalendarViewWnd::CCalendarViewWnd;
    QPoint dropAt;

  protected:
    int RunDragLoop(std::unique_ptr<QMimeData> data, int allowedEffects, const QRect &start) override
    {
        const Qt::DropActions actions = DropActionsFromEffects(allowedEffects);
        QDragEnterEvent enter(start.center(), actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(this, &enter);
        QDragMoveEvent move(dropAt, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(this, &move);
        QDropEvent drop(QPointF(dropAt), actions, data.get(), Qt::NoButton, Qt::NoModifier);
        // The loop drops with the action the last move was answered with.
        drop.setDropAction(move.dropAction());
        QApplication::sendEvent(this, &drop);
        return drop.isAccepted() ? DropEffectFromAction(drop.dropAction()) : kDropEffectNone;
    }
};

// The records of the item format, each written again on its own with the identity of its stored
// record cleared (a pasted copy is a new item of its file), in a stable order.
std::vector<QByteArray> RecordsOf(const QByteArray &bytes, std::uint32_t version)
{
    std::vector<TransferRecord> records;
    EXPECT_EQ(ReadTransferBytes(bytes, version, nullptr, records), S_OK);
    std::vector<QByteArray> out;
    for (TransferRecord &record : records) {
        ClearStoredIdentity(*record.item);
        CTransferWriter writer(version);
        if (record.tag == Transfer::TagTask)
            writer.AddTask(static_cast<const CTaskItem &>(*record.item));
        else
            writer.AddEvent(static_cast<const CEventItem &>(*record.item), record.tag);
        out.push_back(writer.GetBytes());
    }
    std::sort(out.begin(), out.end());
    return out;
}

void SendMouse(QWidget &w, QEvent::Type type, const QPoint &p, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(p), QPointF(w.mapToGlobal(p)), button, held, mods);
    QApplication::sendEvent(&w, &e);
}

void Click(QWidget &w, const QPoint &p, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseButtonPress, p, mods);
    SendMouse(w, QEvent::MouseButtonRelease, p, mods);
}

void SendKey(QWidget &w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&w, &press);
}

class ViewDocumentTest : public DocumentFixture
{
  protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
        container.document = &port;
        container.kind = 3;
        container.onAddItem = [this](CItemRef &ref) { return view.AddItem(ref); };
        view.SetContainer(&container);
    }
    void TearDown() override
    {
        CDragState::End();
        DocumentFixture::TearDown();
    }

    std::uint32_t StoreEvent(CEventItem event)
    {
        EXPECT_EQ(m_doc.StoreEvent(event, true), S_OK);
        return event.GetRecordId();
    }
    std::uint32_t StoreTask(const QString &subject, const CDateTime &due)
    {
        CTaskItem task;
        task.SetSubject(subject);
        task.SetDueDate(due);
        EXPECT_EQ(m_doc.StoreTask(task, true), S_OK);
        return task.GetRecordId();
    }
    // A one-hour event, an all-day event of two days, a daily series and a task.
    void StoreFixture()
    {
        CEventItem dentist;
        dentist.SetSubject(QStringLiteral("Dentist"));
        dentist.SetStart(At(2024, 3, 12, 9, 0));
        dentist.SetDuration(Hours(1));
        dentist.SetNotes(QStringLiteral("Bring the card"));
        idDentist = StoreEvent(dentist);
        CEventItem conference;
        conference.SetSubject(QStringLiteral("Conference"));
        conference.SetStart(At(2024, 3, 13));
        conference.SetDuration(Days(2));
        idConference = StoreEvent(conference);
        CEventItem standup = MakeSeries(At(2024, 3, 11, 8, 30), Minutes(15), Recur::Daily | Recur::ByDate, 1);
        standup.SetSubject(QStringLiteral("Standup"));
        idStandup = StoreEvent(standup);
        idTask = StoreTask(QStringLiteral("File taxes"), At(2024, 3, 13));
    }
    // Fills the view from the data file, as a container does after a change.
    void Reload(WeekStripView &target, CCalendarDocument &doc)
    {
        target.RemoveAllEntries();
        for (int kind : {CDisplayItem::KindEvent, CDisplayItem::KindTask}) {
            auto each = [&](std::uint32_t id) {
                CItemRef ref;
                if (doc.LoadItemRef(ref, kind, id) == S_OK)
                    target.AddItem(ref);
                return S_OK;
            };
            if (kind == CDisplayItem::KindEvent)
                ASSERT_EQ(doc.EnumAllEvents(each), S_OK);
            else
                ASSERT_EQ(doc.EnumAllTasks(each), S_OK);
        }
        target.Refresh(true);
    }
    int EntryOf(const WeekStripView &v, std::uint32_t record, int nth = 0) const
    {
        for (int i = 0; i < v.GetEntryCount(); ++i) {
            if (v.GetEntry(i)->GetItemRef() == record && nth-- == 0)
                return i;
        }
        return -1;
    }
    QPoint Centre(const WeekStripView &v, int index) const { return v.GetEntryRect(index).center(); }
    // The stored event, read back from a file opened afresh.
    CEventItem Stored(std::uint32_t id)
    {
        m_doc.CloseCalendarFile();
        EXPECT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        CEventItem event;
        event.SetRecordId(id);
        EXPECT_EQ(m_doc.LoadEvent(event), S_OK);
        return event;
    }
    // Carries moves and resizes into the document as a container would.
    bool ApplyMove(CCalendarDocument &doc, const CDragState &drag)
    {
        for (const CDragItem &item : drag.dragItems) {
            CItemRef ref;
            if (item.kind != CDisplayItem::KindEvent ||
                doc.LoadItemRef(ref, item.kind, item.recordId) != S_OK)
                return false;
            ref.GetEvent()->SetStart(item.movedStart);
            ref.GetEvent()->SetDuration(item.duration);
            if (doc.SaveEventRef(ref) != S_OK)
                return false;
        }
        return true;
    }
    void SaveRender(QWidget &w, const QString &name)
    {
        const QString folder =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
        QDir().mkpath(folder);
        w.grab().save(QDir(folder).filePath(name));
    }

    WeekStripView view;
    DocumentPort port{m_doc};
    FakeContainer container;
    std::uint32_t idDentist = 0, idConference = 0, idStandup = 0, idTask = 0;
};
} // namespace

TEST_F(ViewDocumentTest, ItemsOfTheFileAreShownHitAndSelected)
{
    StoreFixture();
    PlayingWnd wnd(view);
    wnd.resize(7 * kCell, 300);
    Reload(view, m_doc);
    // Seven occurrences of the series, the two single events and the task.
    ASSERT_EQ(view.GetEntryCount(), 10);
    const int dentist = EntryOf(view, idDentist);
    const int conference = EntryOf(view, idConference);
    ASSERT_GE(dentist, 0);
    ASSERT_GE(conference, 0);
    EXPECT_EQ(view.GetEntry(conference)->GetFirstCell(), 2);
    EXPECT_EQ(view.GetEntry(conference)->GetLastCell(), 3);
    SaveRender(wnd, QStringLiteral("week-strip.png"));

    // Hit codes over the body and the two edges of a bar.
    const QRect r = view.GetEntryRect(conference);
    int index = -1;
    EXPECT_EQ(view.HitTest(r.center(), &index), HitEntryBody);
    EXPECT_EQ(index, conference);
    EXPECT_EQ(view.HitTest(QPoint(r.left() + 1, r.center().y()), &index), HitEntryStart);
    EXPECT_EQ(view.HitTest(QPoint(r.right() - 1, r.center().y()), &index), HitEntryEnd);
    EXPECT_EQ(view.HitTest(QPoint(6 * kCell + 5, 280), &index), HitCell);
    EXPECT_EQ(index, 6);

    // A click selects one entry; Ctrl adds another; a plain click on a third leaves it alone.
    Click(wnd, Centre(view, dentist));
    EXPECT_TRUE(view.GetEntry(dentist)->HasState(CDisplayItem::StateSelected));
    EXPECT_EQ(view.GetFocusedEntry(), dentist);
    Click(wnd, r.center(), Qt::ControlModifier);
    EXPECT_EQ(view.GetSelectedCount(), 2);
    const int task = EntryOf(view, idTask);
    Click(wnd, Centre(view, task));
    EXPECT_EQ(view.GetSelectedCount(), 1);
    EXPECT_TRUE(view.GetEntry(task)->HasState(CDisplayItem::StateSelected));

    // Tab moves to the next entry; Enter and a double click open the selected item.
    SendKey(wnd, Qt::Key_Tab);
    EXPECT_EQ(view.GetSelectedCount(), 1);
    EXPECT_EQ(view.GetFocusedEntry(), task + 1 < view.GetEntryCount() ? task + 1 : -1);
    Click(wnd, Centre(view, dentist));
    container.commands.clear();
    SendKey(wnd, Qt::Key_Return);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(Centre(view, dentist)),
                    QPointF(wnd.mapToGlobal(Centre(view, dentist))), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&wnd, &dbl);
    EXPECT_EQ(container.commands, (std::vector<int>{kCmdOpenItem, kCmdOpenItem}));
}

TEST_F(ViewDocumentTest, MovedResizedAndEditedItemsReachTheFile)
{
    StoreFixture();
    container.onMove = [this](CDragState &drag, int) { return ApplyMove(m_doc, drag); };
    PlayingWnd wnd(view);
    wnd.resize(7 * kCell, 300);
    Reload(view, m_doc);

    // Drag the Tuesday dentist to Thursday: the drag plays through the window's drop target.
    const int dentist = EntryOf(view, idDentist);
    const QPoint from = Centre(view, dentist);
    wnd.dropAt = QPoint(3 * kCell + kCell / 2, 280);
    SendMouse(wnd, QEvent::MouseButtonPress, from);
    SendMouse(wnd, QEvent::MouseMove, from + QPoint(CCalendarViewCtrl::DragThreshold() + 2, 0));
    EXPECT_EQ(CDragState::Current(), nullptr);
    ASSERT_EQ(container.moved.size(), 1u);
    EXPECT_EQ(container.movedEffect, kDropEffectMove);
    EXPECT_EQ(Stored(idDentist).GetStart(), At(2024, 3, 14, 9, 0));
    EXPECT_NEAR(Stored(idDentist).GetDuration().GetTotalDays(), Hours(1).GetTotalDays(), 1e-9);

    // Stretch the two-day conference by its end to Saturday.
    Reload(view, m_doc);
    const QRect bar = view.GetEntryRect(EntryOf(view, idConference));
    const QPoint edge(bar.right() - 1, bar.center().y());
    const QPoint saturday(5 * kCell + kCell / 2, bar.center().y());
    SendMouse(wnd, QEvent::MouseButtonPress, edge);
    SendMouse(wnd, QEvent::MouseMove, edge + QPoint(CCalendarViewCtrl::DragThreshold() + 2, 0));
    SendMouse(wnd, QEvent::MouseMove, saturday);
    SendMouse(wnd, QEvent::MouseButtonRelease, saturday);
    EXPECT_EQ(CDragState::Current(), nullptr);
    const CEventItem conference = Stored(idConference);
    EXPECT_EQ(conference.GetStart(), At(2024, 3, 13));
    EXPECT_EQ(conference.GetDuration(), Days(4));

    // F2 edits the selected dentist's subject in place; Enter stores it.
    Reload(view, m_doc);
    wnd.show();
    Click(wnd, Centre(view, EntryOf(view, idDentist)));
    SendKey(wnd, Qt::Key_F2);
    QLineEdit *edit = wnd.GetEdit();
    ASSERT_TRUE(view.IsEditing());
    EXPECT_EQ(edit->text(), QStringLiteral("Dentist"));
    edit->setText(QStringLiteral("Dentist, check-up"));
    edit->setModified(true);
    SendKey(*edit, Qt::Key_Return);
    EXPECT_FALSE(view.IsEditing());
    const CEventItem edited = Stored(idDentist);
    EXPECT_EQ(edited.GetSubject(), QStringLiteral("Dentist, check-up"));
    EXPECT_EQ(edited.GetStart(), At(2024, 3, 14, 9, 0));
    EXPECT_EQ(edited.GetNotes(), QStringLiteral("Bring the card"));
    // The view shows the stored item again, and the other items stayed as they were.
    EXPECT_GE(EntryOf(view, idDentist), 0);
    EXPECT_EQ(Stored(idStandup).GetSubject(), QStringLiteral("Standup"));
}

TEST_F(ViewDocumentTest, CopyInOneFilePastesIntoAnotherUnchanged)
{
    StoreFixture();
    PlayingWnd wnd(view);
    wnd.resize(7 * kCell, 300);
    Reload(view, m_doc);
    // The series' Tuesday occurrence, the dentist, the task and the conference.
    const CDateTime tuesday = At(2024, 3, 12);
    for (int i = 0; i < view.GetEntryCount(); ++i) {
        const CDisplayItem &e = *view.GetEntry(i);
        const bool pick = e.GetItemRef() == idConference || e.GetItemRef() == idDentist ||
                          e.GetItemRef() == idTask ||
                          (e.GetItemRef() == idStandup && e.GetStart().DatePart() == tuesday);
        if (pick)
            view.SetOccurrenceState(e.GetItemRef(), e.GetOccurrenceDate(), 0x03, 0x03, false);
    }
    ASSERT_EQ(view.GetSelectedCount(), 4);
    const std::unique_ptr<QMimeData> copied = wnd.CreateDataSource(false);
    ASSERT_TRUE(copied);
    const QByteArray bytes = copied->data(TransferFormatMimeType());
    ASSERT_FALSE(bytes.isEmpty());

    // A second file, its own view. Pasted events keep their distance from the first event, the
    // Wednesday conference, and tasks land on the selected day: Wednesday keeps them all where
    // they were.
    const QString secondPath = m_dir.filePath(QStringLiteral("second.qvd"));
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(secondPath, QStringLiteral("Work"), QString()), S_OK);
    CCalendarDocument second;
    second.SetMainWindow(&m_mainWindow);
    second.SetDateNavigator(&m_navigator);
    second.SetShell(&m_shell);
    second.SetReminderWindowHost(&m_windows);
    ASSERT_EQ(second.OpenCalendarFile(secondPath), S_OK);
    DocumentPort secondPort(second);
    WeekStripView target;
    FakeContainer targetContainer;
    targetContainer.document = &secondPort;
    targetContainer.kind = 3;
    target.SetContainer(&targetContainer);
    PlayingWnd targetWnd(target);
    targetWnd.resize(7 * kCell, 300);
    target.OnLeftDown(QPoint(2 * kCell + 5, 280), 0);
    target.OnLeftButtonUp(QPoint(2 * kCell + 5, 280));
    ASSERT_EQ(target.GetFirstSelectedCell(), 2);
    ASSERT_EQ(targetWnd.PasteFromDataObject(copied.get(), QPoint()), S_OK);

    // Everything arrived once; copied back out of the second file, the records are the same.
    Reload(target, second);
    ASSERT_EQ(target.GetEntryCount(), 4);
    target.SetAllItemStates(0x03, 0x03, false);
    const std::unique_ptr<QMimeData> again = targetWnd.CreateDataSource(false);
    ASSERT_TRUE(again);
    const std::uint32_t version = m_doc.GetDataFile().GetFormatVersion();
    ASSERT_EQ(second.GetDataFile().GetFormatVersion(), version);
    const std::vector<QByteArray> sent = RecordsOf(bytes, version);
    const std::vector<QByteArray> returned = RecordsOf(again->data(TransferFormatMimeType()), version);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(returned, sent);
    second.CloseCalendarFile();
}
