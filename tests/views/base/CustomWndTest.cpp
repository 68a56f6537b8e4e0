// The window bases: which format a paste takes, what a data source offers, the bordered child.
#include "views/base/CustomWnd.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QResizeEvent>
#include <gtest/gtest.h>

namespace {

// A window whose clipboard hooks answer as a test sets them and record their calls.
class ProbeWnd : public CCustomWnd
{
  public:
    HRESULT itemsAnswer = S_OK;
    HRESULT textAnswer = S_OK;
    int itemsCalls = 0;
    int textCalls = 0;
    QByteArray text, items, marker;
    int dragLoops = 0;

    HRESULT PasteItems(const QMimeData &, const QPoint &) override
    {
        ++itemsCalls;
        return itemsAnswer;
    }
    HRESULT PasteText(const QMimeData &, const QPoint &) override
    {
        ++textCalls;
        return textAnswer;
    }
    QByteArray RenderSelectionText() override { return text; }
    QByteArray SerializeSelection() override { return items; }
    QByteArray RenderInternalFormat() override { return marker; }

  protected:
    int RunDragLoop(std::unique_ptr<QMimeData> data, int, const QRect &) override
    {
        ++dragLoops;
        EXPECT_TRUE(data->hasFormat(InternalFormatMimeType()));
        return kDropEffectMove;
    }
};

QMimeData *MakeData(bool items, bool text)
{
    auto *data = new QMimeData;
    if (items)
        data->setData(TransferFormatMimeType(), "x");
    if (text)
        data->setText("subject");
    return data;
}

} // namespace

TEST(CustomWndTest, PastePrefersPrivateFormatAndFallsBackToTextOnlyWhenDeclined)
{
    struct Case
    {
        bool items, text;
        HRESULT itemsAnswer;
        HRESULT expected;
        int itemsCalls, textCalls;
    };
    const Case cases[] = {
        {true, true, S_OK, S_OK, 1, 0},
        {true, true, QV_E_REFUSED, S_OK, 1, 1},
        {true, true, QV_E_ITEM_LOAD, QV_E_ITEM_LOAD, 1, 0},
        {true, false, QV_E_REFUSED, QV_E_REFUSED, 1, 0},
        {false, true, S_OK, S_OK, 0, 1},
        {false, false, S_OK, QV_E_REFUSED, 0, 0},
    };
    for (const Case &c : cases) {
        ProbeWnd wnd;
        wnd.itemsAnswer = c.itemsAnswer;
        std::unique_ptr<QMimeData> data(MakeData(c.items, c.text));
        EXPECT_EQ(wnd.PasteFromDataObject(data.get(), QPoint()), c.expected);
        EXPECT_EQ(wnd.itemsCalls, c.itemsCalls);
        EXPECT_EQ(wnd.textCalls, c.textCalls);
    }
}

TEST(CustomWndTest, DefaultHandlersRefuseEveryFormat)
{
    CCustomWnd wnd;
    std::unique_ptr<QMimeData> data(MakeData(true, true));
    EXPECT_EQ(wnd.PasteFromDataObject(data.get(), QPoint()), QV_E_REFUSED);
    EXPECT_EQ(wnd.CreateDataSource(false), nullptr);
    EXPECT_EQ(wnd.CreateDataSource(true), nullptr);
    EXPECT_EQ(wnd.GetSectionIndex(), 33);
}

TEST(CustomWndTest, DataSourceOffersMarkerForDragsAndTextWithItemsForCopies)
{
    ProbeWnd wnd;
    wnd.text = "text";
    wnd.items = "items";
    wnd.marker = "marker";

    auto drag = wnd.CreateDataSource(true);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->formats(), QStringList{InternalFormatMimeType()});

    auto copy = wnd.CreateDataSource(false);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->hasFormat(TransferFormatMimeType()));
    EXPECT_EQ(copy->text(), "text");
    EXPECT_FALSE(copy->hasFormat(InternalFormatMimeType()));

    wnd.text = QByteArray();
    copy = wnd.CreateDataSource(false);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->hasText());

    wnd.items = QByteArray();
    EXPECT_EQ(wnd.CreateDataSource(false), nullptr);
}

TEST(CustomWndTest, OleDragRunsOnlyWithAMarker)
{
    ProbeWnd wnd;
    EXPECT_EQ(wnd.StartOleDrag(kDropEffectCopy | kDropEffectMove, QRect()), kDropEffectNone);
    EXPECT_EQ(wnd.dragLoops, 0);
    wnd.marker = "m";
    EXPECT_EQ(wnd.StartOleDrag(kDropEffectCopy | kDropEffectMove, QRect()), kDropEffectMove);
    EXPECT_EQ(wnd.dragLoops, 1);
}

TEST(CustomWndTest, NotifyKeyDownSendsTheRecordAndReturnsTheAnswer)
{
    struct Target : INotifyTarget
    {
        CNotifyRecord last;
        int OnNotify(const CNotifyRecord &r) override
        {
            last = r;
            return 7;
        }
    } target;
    CCustomWnd wnd;
    EXPECT_EQ(CCustomWnd::NotifyKeyDown(&wnd, 804, nullptr, Qt::Key_Tab, 0), 0);
    EXPECT_EQ(CCustomWnd::NotifyKeyDown(&wnd, 804, &target, Qt::Key_Tab, 3), 7);
    EXPECT_EQ(target.last.sender, &wnd);
    EXPECT_EQ(target.last.controlId, 804);
    EXPECT_EQ(target.last.code, kNotifyKeyDown);
    EXPECT_EQ(target.last.key, Qt::Key_Tab);
    EXPECT_EQ(target.last.flags, 3);
}

TEST(CustomWndTest, BorderWindowFitsChildInsideBorderAndIgnoresEmptySizes)
{
    CBorderWnd border;
    auto *child = new QWidget(&border);
    border.SetChild(child);
    border.resize(100, 60);
    QResizeEvent grow(QSize(100, 60), QSize());
    QCoreApplication::sendEvent(&border, &grow);
    EXPECT_EQ(child->geometry(), QRect(4, 4, 92, 52));

    for (QSize empty : {QSize(0, 60), QSize(100, 0)}) {
        border.resize(empty);
        QResizeEvent shrink(empty, QSize(100, 60));
        QCoreApplication::sendEvent(&border, &shrink);
        EXPECT_EQ(child->geometry(), QRect(4, 4, 92, 52));
    }
}
