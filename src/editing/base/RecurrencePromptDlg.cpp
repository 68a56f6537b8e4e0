// The occurrence-or-series prompt: a word-wrapped question beside the warning icon, two choices.
#include "editing/base/RecurrencePromptDlg.h"

#include "editing/base/DialogSupport.h"
#include "editing/base/RecurrencePromptText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

CRecurrencePromptDlg::CRecurrencePromptDlg(int kind, int mode, const QString &subject, QWidget *parent)
    : QDialog(parent)
{
    const CRecurrencePromptText text = CRecurrencePromptText::Make(kind, mode, subject);
    setWindowTitle(text.caption);
    setObjectName(QStringLiteral("RecurrencePromptDlg"));

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto *question = new QLabel(text.question, this);
    question->setObjectName(QStringLiteral("question"));
    question->setWordWrap(true);
    question->setTextFormat(Qt::PlainText);
    question->setMinimumWidth(300);

    m_occurrence = new QRadioButton(text.occurrenceChoice, this);
    m_occurrence->setObjectName(QStringLiteral("occurrence"));
    m_series = new QRadioButton(text.seriesChoice, this);
    m_series->setObjectName(QStringLiteral("series"));
    m_occurrence->setChecked(true);

    auto *choices = new QVBoxLayout;
    choices->addWidget(question);
    choices->addSpacing(6);
    choices->addWidget(m_occurrence);
    choices->addWidget(m_series);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(choices, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ApplyReadingOrder(this);
    QApplication::beep();
}

void CRecurrencePromptDlg::SetChoice(int choice)
{
    m_choice = choice == 1 ? 1 : 0;
    (m_choice == 1 ? m_series : m_occurrence)->setChecked(true);
}

void CRecurrencePromptDlg::accept()
{
    m_choice = m_series->isChecked() ? 1 : 0;
    QDialog::accept();
}
