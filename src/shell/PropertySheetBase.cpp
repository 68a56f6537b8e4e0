// The property sheet base.
#include "shell/PropertySheetBase.h"

#include "shell/PropertyPage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

CPropertySheetBase::CPropertySheetBase(QWidget *parent) : QTabWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QTabWidget::currentChanged, this, &CPropertySheetBase::OnTabChanged);
    // Key presses reach the focused button before the dialog looks for its default button,
    // also for buttons a page creates after it was added.
    qApp->installEventFilter(this);
}

void CPropertySheetBase::AddPage(CPropertyPage *page)
{
    m_pages.push_back(page);
    addTab(page, page->Title());
    if (m_active < 0) {
        m_active = 0;
        page->OnSetActive();
    }
}

CPropertyPage *CPropertySheetBase::GetPage(int index) const
{
    return index >= 0 && index < int(m_pages.size()) ? m_pages[std::size_t(index)] : nullptr;
}

CPropertyPage *CPropertySheetBase::GetActivePage() const
{
    return GetPage(m_active);
}

bool CPropertySheetBase::SetActivePage(int index)
{
    if (index == m_active)
        return true;
    setCurrentIndex(index);
    return m_active == index;
}

void CPropertySheetBase::OnTabChanged(int index)
{
    if (m_reverting || index == m_active)
        return;
    CPropertyPage *leaving = GetActivePage();
    if (leaving && !leaving->OnKillActive()) {
        // The page keeps the front until its values are sound.
        m_reverting = true;
        setCurrentIndex(m_active);
        m_reverting = false;
        return;
    }
    m_active = index;
    if (CPropertyPage *page = GetActivePage())
        page->OnSetActive();
}

bool CPropertySheetBase::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier && isAncestorOf(button) && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}
