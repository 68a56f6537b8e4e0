// The property page base.
#include "shell/PropertyPage.h"

CPropertyPage::CPropertyPage(const QString &title, QWidget *parent) : QWidget(parent), m_title(title) {}

void CPropertyPage::OnSetActive()
{
    m_shown = true;
}
