// The About box.
#include "shell/AboutDlg.h"

#include "core/system/ConstStrings.h"
#include "shell/TrayArt.h"
#include "toolkit/controls/LinkOpener.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

CPressReleaseLink::CPressReleaseLink(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(p);
    m_opener = [] { CLinkOpener::Open(QUrl(CAboutDlg::LinkAddress())); };
}

void CPressReleaseLink::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void CPressReleaseLink::mouseReleaseEvent(QMouseEvent *event)
{
    // Only a press that is let go over the link opens it: moving off first cancels.
    const bool open = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (!open)
        return;
    if (m_opener)
        m_opener();
    emit opened();
}

QString CAboutDlg::LinkAddress()
{
    return GetConstString(ConstName::WebSite) + GetConstString(6).replace(QStringLiteral("%s"), QString()) +
           GetConstString(ConstName::VersionText);
}

CAboutDlg::CAboutDlg(QWidget *parent) : CDialogEx(parent)
{
    const QString program = GetConstString(ConstName::ProgramName);
    setWindowTitle(tr("About %1").arg(program));

    auto *panel = new QFrame(this);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, palette().color(QPalette::Base));
    panel->setPalette(white);
    panel->setFrameShape(QFrame::StyledPanel);

    auto *icon = new QLabel(panel);
    icon->setPixmap(MakeProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto *name = new QLabel(program + QStringLiteral("™"), panel);
    QFont title = font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() + 6);
    name->setFont(title);
    auto *version = new QLabel(tr("Version ") + GetConstString(3), panel);
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() + 2);
    version->setFont(larger);
    auto *maker = new QLabel(tr("A personal calendar and scheduler by %1.").arg(GetConstString(ConstName::CompanyKey)),
                             panel);
    auto *legal = new QLabel(tr("Copyright © %1. All rights reserved. This program is protected by copyright law; "
                                "it is given to you under the terms of its licence.")
                                 .arg(GetConstString(ConstName::CompanyKey)),
                             panel);
    legal->setWordWrap(true);
    m_link = new CPressReleaseLink(GetConstString(ConstName::WebSite).remove(QStringLiteral("https://")), panel);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(maker);
    texts->addWidget(legal);
    texts->addSpacing(4);
    texts->addWidget(m_link, 0, Qt::AlignLeft);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(18, 18, 18, 18);
    row->setSpacing(16);
    row->addWidget(icon);
    row->addLayout(texts, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *column = new QVBoxLayout(this);
    column->addWidget(panel);
    column->addWidget(buttons);
    setMinimumWidth(420);
    legal->setMinimumWidth(300);
}

CAboutDlg *ShowAboutDialog(QWidget *parent)
{
    if (parent) {
        CAboutDlg dialog(parent);
        dialog.RunModal();
        return nullptr;
    }
    auto *dialog = new CAboutDlg(nullptr);
    dialog->CreateModeless();
    return dialog;
}
