// The dialog base: the result field of modal runs, modeless dialogs deleting themselves, the
// reminder-windows gate over nested runs, placement on the work area and command tips.
#include "editing/base/DialogEx.h"
#include "editing/base/ReminderWindowsGate.h"

#include "common/FakeMessagePort.h"
#include "core/system/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class DialogExTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetReminderWindowsEnabler([this](bool enable) { calls.push_back(enable); });
    }
    void TearDown() override { SetReminderWindowsEnabler(nullptr); }
    std::vector<bool> calls;
};

TEST_F(DialogExTest, ModalResultIsOneAfterOkAndZeroAfterEscapeOrCancel)
{
    CDialogEx ok;
    QTimer::singleShot(0, &ok, [&] { ok.accept(); });
    EXPECT_EQ(ok.RunModal(), 1);
    EXPECT_EQ(ok.GetResult(), 1);

    CDialogEx escape;
    QTimer::singleShot(0, &escape, [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&escape, &press);
    });
    EXPECT_EQ(escape.RunModal(), 0);

    CDialogEx closed;
    QTimer::singleShot(0, &closed, [&] { closed.close(); });
    EXPECT_EQ(closed.RunModal(), 0);
    EXPECT_EQ(calls, (std::vector<bool>{false, true, false, true, false, true}));
}

TEST_F(DialogExTest, CurrentDialogIsTheRunningOne)
{
    CDialogEx dialog;
    QDialog *seen = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        seen = CDialogEx::GetCurrentDialog();
        dialog.reject();
    });
    dialog.RunModal();
    EXPECT_EQ(seen, &dialog);
    EXPECT_EQ(CDialogEx::GetCurrentDialog(), nullptr);
}

// Only the last dialog to close enables the reminder windows again, whatever the order.
TEST_F(DialogExTest, NestedRunsEnableRemindersOnlyWhenTheLastCloses)
{
    QPointer<CDialogEx> modeless = new CDialogEx;
    modeless->CreateModeless();
    EXPECT_EQ(CReminderWindowsGate::GetNesting(), 1);

    CDialogEx modal;
    QTimer::singleShot(0, &modal, [&] {
        EXPECT_EQ(CReminderWindowsGate::GetNesting(), 2);
        modal.accept();
    });
    modal.RunModal();
    EXPECT_EQ(calls, std::vector<bool>{false}) << "the modeless dialog still holds the windows";

    modeless->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(modeless.isNull()) << "a modeless dialog deletes itself";
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
    EXPECT_EQ(CReminderWindowsGate::GetNesting(), 0);
}

// A modeless dialog is a window of its own: without an icon of its own it shows the program's;
// a modal one keeps the window's default; an own icon wins either way.
TEST_F(DialogExTest, IconsOfModalAndModelessDialogs)
{
    QPixmap programPixmap(16, 16);
    programPixmap.fill(Qt::red);
    const QIcon program(programPixmap);
    const QIcon before = QApplication::windowIcon();
    QApplication::setWindowIcon(program);
    const qint64 programKey = QApplication::windowIcon().cacheKey();

    QPointer<CDialogEx> modeless = new CDialogEx;
    modeless->CreateModeless();
    EXPECT_EQ(modeless->windowIcon().cacheKey(), programKey);
    modeless->reject();

    QPixmap ownPixmap(16, 16);
    ownPixmap.fill(Qt::blue);
    QPixmap ownLarge(32, 32);
    ownLarge.fill(Qt::blue);
    QIcon own(ownPixmap);
    own.addPixmap(ownLarge);
    QPointer<CDialogEx> withIcon = new CDialogEx;
    withIcon->SetDialogIcon(own);
    withIcon->CreateModeless();
    EXPECT_EQ(withIcon->windowIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    EXPECT_EQ(withIcon->windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    withIcon->reject();

    CDialogEx modal;
    EXPECT_TRUE(modal.GetDialogIcon().isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::setWindowIcon(before);
}

// A message box shares the dialogs' count: closing it over an open dialog keeps the reminder
// windows disabled; a box on its own still brackets them.
TEST_F(DialogExTest, MessageBoxOverAnOpenDialogLeavesRemindersDisabled)
{
    FakeMessagePort port;
    ShowMessageBox(nullptr, true, QStringLiteral("alone"), MessageIcon::Information);
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
    calls.clear();

    CDialogEx dialog;
    int nestingInBox = -1;
    port.onShow = [&](const MessageBoxRequest &) { nestingInBox = CReminderWindowsGate::GetNesting(); };
    QTimer::singleShot(0, &dialog, [&] {
        ShowMessageBox(&dialog, true, QStringLiteral("over the dialog"), MessageIcon::Warning);
        EXPECT_EQ(calls, std::vector<bool>{false}) << "the dialog still holds the windows";
        dialog.accept();
    });
    dialog.RunModal();
    EXPECT_EQ(nestingInBox, 2);
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
    EXPECT_EQ(CReminderWindowsGate::GetNesting(), 0);
}

TEST(DialogExPlacement, CentredThenPushedInsideTheWorkArea)
{
    struct Case
    {
        QRect dialog, area, expected;
    } cases[] = {
        {QRect(0, 0, 200, 100), QRect(0, 0, 1000, 800), QRect(400, 350, 200, 100)},
        {QRect(0, 0, 200, 100), QRect(1000, 0, 1000, 800), QRect(1400, 350, 200, 100)},
        // Larger than the area: its left and top edges go on the area's.
        {QRect(0, 0, 1200, 900), QRect(100, 50, 1000, 800), QRect(100, 50, 1200, 900)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CDialogEx::CenterInWorkArea(c.dialog, c.area), c.expected) << c.area.x();
}

TEST(DialogExToolTip, SecondLineCutToEightyCharacters)
{
    EXPECT_EQ(CDialogEx::ToolTipOfCommandString(QStringLiteral("Print the item\nPrint")),
              QStringLiteral("Print"));
    EXPECT_EQ(CDialogEx::ToolTipOfCommandString(QStringLiteral("No tip here")), QString());
    const QString longTip = QString(100, QLatin1Char('x'));
    EXPECT_EQ(CDialogEx::ToolTipOfCommandString(QStringLiteral("p\n") + longTip).size(), 80);
}

} // namespace
