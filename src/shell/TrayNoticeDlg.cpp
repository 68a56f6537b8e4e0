// The tray notice.
#include "shell/TrayNoticeDlg.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

bool CTrayNoticeDlg::IsWanted()
{
    return GetProfileInt(GetConstString(ConstName::Common), QStringLiteral("X"), 1) != 0;
}

CTrayNoticeDlg::CTrayNoticeDlg(QWidget *parent) : QDialog(parent)
{
    const QString program = GetConstString(ConstName::ProgramName);
    setWindowTitle(program);
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(tr("Although you have closed the program window, the program will continue to run in the "
                               "taskbar (near the clock) so that you can receive reminders."),
                            this);
    text->setWordWrap(true);
    auto *howToExit = new QLabel(
        tr("To exit %1, right click the taskbar icon and select \"Exit\" from the menu.").arg(program), this);
    howToExit->setWordWrap(true);
    m_dontShow = new QCheckBox(tr("&Don't show me this message again"), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrayNoticeDlg::OnOk);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(10);
    texts->addWidget(text);
    texts->addWidget(howToExit);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(icon);
    row->addLayout(texts, 1);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 12);
    column->setSpacing(14);
    column->addLayout(row);
    column->addWidget(m_dontShow);
    column->addWidget(buttons);
    text->setMinimumWidth(340);
}

void CTrayNoticeDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QApplication::beep();
}

void CTrayNoticeDlg::OnOk()
{
    if (m_dontShow->isChecked()) {
        WriteProfileInt(GetConstString(ConstName::Common), QStringLiteral("X"), 0);
        CProfile::Instance().Sync();
    }
    accept();
}
