// The property-sheet base.
#include "shell/PropertySheetBase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

CPropertySheetBase::CPropertySheetBase(QWidget *parent) : QTabWidget(parent)
{
    // Key presses reach the focused button before the dialog looks for its default button.
    qApp->installEventFilter(this);
}

bool CPropertySheetBase::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier && isAncestorOf(button) && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}
