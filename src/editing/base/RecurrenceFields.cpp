// Shared fields of the recurrence dialogs.
#include "editing/base/RecurrenceFields.h"

#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

namespace RecurrenceFields {

QLineEdit *NumberField(QWidget *parent, const char *name, int digits)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(digits);
    edit->setValidator(new QIntValidator(0, digits == 3 ? 999 : 99, edit));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return edit;
}

QComboBox *WeekCombo(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third"),
                   QStringLiteral("fourth"), QStringLiteral("last")});
    return box;
}

QComboBox *WeekdayCombo(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    const QLocale locale;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        box->addItem(locale.dayName(day, QLocale::LongFormat));
    return box;
}

QComboBox *MonthCombo(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    const QLocale locale;
    for (int month = 1; month <= 12; ++month)
        box->addItem(locale.standaloneMonthName(month, QLocale::LongFormat));
    return box;
}

int NumberOf(const QLineEdit *edit)
{
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    return ok ? value : 0;
}

void SetNumber(QLineEdit *edit, int value)
{
    const QSignalBlocker block(edit);
    edit->setText(QString::number(value));
}

void SetIndex(QComboBox *box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

void SelectsRadio(QRadioButton *radio, std::initializer_list<QWidget *> fields)
{
    for (QWidget *field : fields) {
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            QObject::connect(edit, &QLineEdit::textEdited, radio, [radio] { radio->setChecked(true); });
        else if (auto *box = qobject_cast<QComboBox *>(field))
            QObject::connect(box, &QComboBox::activated, radio, [radio] { radio->setChecked(true); });
    }
}

} // namespace RecurrenceFields
