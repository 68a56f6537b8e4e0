// The Date and Time dialog.
#include "editing/base/InsertDateTimeDlg.h"

#include "core/dates/DateRules.h"
#include "editing/base/DateTimeChoices.h"
#include "editing/base/DialogSupport.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CInsertDateTimeDlg::CInsertDateTimeDlg(QWidget *parent, const QLocale &locale)
    : QDialog(parent), m_locale(locale)
{
    setWindowTitle(tr("Date and Time"));
    setObjectName(QStringLiteral("InsertDateTimeDlg"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("formats"));
    m_list->addItems(CDateTimeChoices::Rows(GetNow(), m_locale));
    m_list->setCurrentRow(0);
    auto *label = new QLabel(tr("&Available formats:"), this);
    label->setBuddy(m_list);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(MakeOkCancel(this));
    resize(360, 260);
    ApplyReadingOrder(this);
}

void CInsertDateTimeDlg::accept()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    m_result = CDateTimeChoices::Row(row, GetNow(), m_locale);
    QDialog::accept();
}
