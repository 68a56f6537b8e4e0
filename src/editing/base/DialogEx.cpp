// The dialog base: modal and modeless runs, the result field and the current dialog.
#include "editing/base/DialogEx.h"

#include "editing/base/DialogSupport.h"
#include "editing/base/ReminderWindowsGate.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {
QPointer<QDialog> g_current;
}

CDialogEx::CDialogEx(QWidget *parent) : QDialog(parent)
{
    ApplyReadingOrder(this);
}

CDialogEx::~CDialogEx()
{
    if (g_current == this)
        g_current = m_previousCurrent;
    if (m_holdsGate)
        CReminderWindowsGate::Leave();
}

QDialog *CDialogEx::GetCurrentDialog()
{
    return g_current;
}

int CDialogEx::RunModal(bool disableReminders)
{
    m_modeless = false;
    m_previousCurrent = g_current;
    if (disableReminders) {
        g_current = this;
        CReminderWindowsGate::Enter();
    }
    exec();
    if (disableReminders) {
        CReminderWindowsGate::Leave();
        g_current = m_previousCurrent;
    }
    return m_result;
}

void CDialogEx::SetDialogIcon(const QIcon &icon)
{
    m_icon = icon;
    if (!icon.isNull())
        setWindowIcon(icon);
}

bool CDialogEx::CreateModeless()
{
    m_modeless = true;
    if (m_icon.isNull())
        setWindowIcon(QApplication::windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    setModal(false);
    m_previousCurrent = g_current;
    g_current = this;
    CReminderWindowsGate::Enter();
    m_holdsGate = true;
    show();
    raise();
    activateWindow();
    return true;
}

void CDialogEx::accept()
{
    m_result = 1;
    CloseDialog();
}

void CDialogEx::reject()
{
    m_result = 0;
    CloseDialog();
}

void CDialogEx::CloseDialog()
{
    if (m_modeless) {
        hide();
        deleteLater();
        return;
    }
    done(m_result == 1 ? QDialog::Accepted : QDialog::Rejected);
}

QRect CDialogEx::CenterInWorkArea(const QRect &dialog, const QRect &area)
{
    QRect r = dialog;
    r.moveTopLeft(QPoint(area.left() + area.width() / 2 - dialog.width() / 2,
                         area.top() + area.height() / 2 - dialog.height() / 2));
    if (r.left() < area.left())
        r.moveLeft(area.left());
    else if (r.right() > area.right())
        r.moveLeft(r.left() - (r.right() - area.right()));
    if (r.top() < area.top())
        r.moveTop(area.top());
    else if (r.bottom() > area.bottom())
        r.moveTop(r.top() - (r.bottom() - area.bottom()));
    return r;
}

void CDialogEx::CenterOnMonitorOf(const QWidget *window)
{
    if (!window)
        return;
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(CenterInWorkArea(frameGeometry(), screen->availableGeometry()).topLeft());
}

QString CDialogEx::ToolTipOfCommandString(const QString &commandString)
{
    const int lineBreak = commandString.indexOf(QLatin1Char('\n'));
    if (lineBreak < 0)
        return {};
    return commandString.mid(lineBreak + 1).left(kMaxToolTip);
}
