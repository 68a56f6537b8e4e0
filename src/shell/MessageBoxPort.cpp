// Message boxes of the core on screen.
#include "shell/MessageBoxPort.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

int CMessageBoxPort::ShowMessageBox(const MessageBoxRequest &request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case MessageIcon::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageIcon::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MessageIcon::Question:
        icon = QMessageBox::Question;
        break;
    case MessageIcon::None:
        break;
    }
    struct ButtonMap
    {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<ButtonMap> buttons;
    switch (request.buttons) {
    case MessageButtons::Ok:
        buttons = {{QMessageBox::Ok, MessageResult::Ok}};
        break;
    case MessageButtons::OkCancel:
        buttons = {{QMessageBox::Ok, MessageResult::Ok}, {QMessageBox::Cancel, MessageResult::Cancel}};
        break;
    case MessageButtons::YesNo:
        buttons = {{QMessageBox::Yes, MessageResult::Yes}, {QMessageBox::No, MessageResult::No}};
        break;
    case MessageButtons::YesNoCancel:
        buttons = {{QMessageBox::Yes, MessageResult::Yes},
                   {QMessageBox::No, MessageResult::No},
                   {QMessageBox::Cancel, MessageResult::Cancel}};
        break;
    case MessageButtons::RetryCancel:
        buttons = {{QMessageBox::Retry, MessageResult::Retry}, {QMessageBox::Cancel, MessageResult::Cancel}};
        break;
    }
    QWidget *owner = qobject_cast<QWidget *>(request.owner);
    QPointer<QMessageBox> box = new QMessageBox(icon, request.caption, request.text, QMessageBox::NoButton, owner);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    for (const ButtonMap &b : buttons)
        box->addButton(b.button);
    if (request.defaultButton >= 0 && request.defaultButton < int(buttons.size()))
        box->setDefaultButton(buttons[request.defaultButton].button);
    if (request.topmost || !owner)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    // exec runs the box application-modal: the modeless windows take no input until it closes.
    const int pressed = box->exec();
    int result = buttons.back().result; // closed by the window manager: the last (cancelling) answer
    for (const ButtonMap &b : buttons)
        if (b.button == pressed)
            result = b.result;
    delete box;
    return result;
}

void CMessageBoxPort::Beep()
{
    QApplication::beep();
}
