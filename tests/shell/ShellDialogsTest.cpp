// The About box with its press-and-release link, the tray notice and its "don't show" choice,
// and the information bar as the views reach it.
#include "common/TempProfile.h"
#include "core/system/Profile.h"
#include "shell/AboutDlg.h"
#include "shell/MainWnd.h"
#include "shell/PropertySheetBase.h"
#include "shell/TrayNoticeDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QDir>
#include <QMouseEvent>
#include <QPointer>
#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString RenderFile(const char *name)
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/%1.png").arg(QString::fromLatin1(name));
}

void PressOk(QDialog &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

void Mouse(QWidget *widget, QEvent::Type type, const QPoint &at)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST(AboutDlg, TheLinkOpensOnlyWhenReleasedOverIt)
{
    TempProfile profile;
    CAboutDlg about;
    int opened = 0;
    about.Link()->SetOpener([&] { ++opened; });
    about.show();
    CPressReleaseLink *link = about.Link();
    const QPoint inside = link->rect().center();
    Mouse(link, QEvent::MouseButtonPress, inside);
    Mouse(link, QEvent::MouseButtonRelease, inside);
    EXPECT_EQ(opened, 1);
    // Pressed, moved off, released: nothing.
    Mouse(link, QEvent::MouseButtonPress, inside);
    Mouse(link, QEvent::MouseButtonRelease, inside + QPoint(link->width() + 20, 0));
    EXPECT_EQ(opened, 1);
    // A release alone is no click either.
    Mouse(link, QEvent::MouseButtonRelease, inside);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(CAboutDlg::LinkAddress().endsWith("/index.html?src=qv-about&version=4.0r"));
    QApplication::processEvents();
    EXPECT_TRUE(about.grab().toImage().save(RenderFile("shell_about")));
}

TEST(AboutDlg, WithoutAWindowItRunsOnItsOwnAndGoesWhenClosed)
{
    TempProfile profile;
    QPointer<CAboutDlg> about = ShowAboutDialog(nullptr);
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->IsModeless());
    EXPECT_TRUE(about->isVisible());
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(about);
}

TEST(TrayNoticeDlg, DontShowAgainIsRemembered)
{
    TempProfile profile;
    EXPECT_TRUE(CTrayNoticeDlg::IsWanted());
    {
        CTrayNoticeDlg notice;
        notice.show();
        QApplication::processEvents();
        EXPECT_TRUE(notice.grab().toImage().save(RenderFile("shell_tray_notice")));
        PressOk(notice); // with the box clear
    }
    EXPECT_TRUE(CTrayNoticeDlg::IsWanted());
    CTrayNoticeDlg notice;
    notice.show();
    notice.DontShowBox()->setChecked(true);
    PressOk(notice);
    EXPECT_FALSE(CTrayNoticeDlg::IsWanted());
    EXPECT_EQ(GetProfileInt("Common", "X", 1), 0);
}

TEST(InfoBarForwarding, NothingHappensWithoutTheMainWindow)
{
    ASSERT_EQ(CMainWnd::Instance(), nullptr);
    SetInfoBarTitle("Tuesday");
    ShowInfoBarText("Filter: Business");
    SetInfoBarMode(7);
}

} // namespace

namespace {

TEST(PropertySheetBase, ReturnPressesTheFocusedButtonNotTheDefault)
{
    QDialog dialog;
    auto *sheet = new CPropertySheetBase(&dialog);
    auto *page = new QWidget;
    auto *setup = new QPushButton("Set&up...", page);
    sheet->addTab(page, "General");
    auto *ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    int setupClicks = 0, okClicks = 0;
    QObject::connect(setup, &QPushButton::clicked, [&] { ++setupClicks; });
    QObject::connect(ok, &QPushButton::clicked, [&] { ++okClicks; });
    dialog.show();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(setup, &press);
    EXPECT_EQ(setupClicks, 1);
    EXPECT_EQ(okClicks, 0);
    // Outside the sheet the dialog's own rules stay.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(ok, &again);
    EXPECT_EQ(setupClicks, 1);
}

} // namespace
