// Shared fields of the recurrence dialogs.
#include "editing/base/RecurrenceFields.h"

#include "core/items/RecurrenceBits.h"
#include "editing/base/EditorFields.h"
#include "editing/base/SectionHeading.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
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

namespace {
constexpr std::uint32_t kPeriods[] = {Recur::Daily, Recur::Weekly, Recur::Monthly, Recur::Yearly};
} // namespace

std::uint32_t PeriodAt(int index)
{
    return kPeriods[index];
}

QStackedWidget *AddPeriodPicker(QWidget *box, QBoxLayout *outer, PeriodRadios &radios, QButtonGroup *&group)
{
    outer->addWidget(CSectionHeading::Create(QObject::tr("Recurrence pattern"), box));
    auto *row = new QHBoxLayout;
    outer->addLayout(row);
    auto *column = new QVBoxLayout;
    group = new QButtonGroup(box);
    const QString names[] = {QObject::tr("&Daily"), QObject::tr("&Weekly"), QObject::tr("&Monthly"),
                             QObject::tr("&Yearly")};
    const char *objects[] = {"daily", "weekly", "monthly", "yearly"};
    for (int i = 0; i < 4; ++i) {
        radios[std::size_t(i)] = new QRadioButton(names[i], box);
        radios[std::size_t(i)]->setObjectName(QString::fromLatin1(objects[i]));
        group->addButton(radios[std::size_t(i)], i);
        column->addWidget(radios[std::size_t(i)]);
    }
    column->addStretch();
    row->addLayout(column);
    auto *line = new QFrame(box);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    row->addWidget(line);
    auto *pages = new QStackedWidget(box);
    row->addWidget(pages, 1);
    return pages;
}

void ShowPeriodPage(const PeriodRadios &radios, QStackedWidget *pages, std::uint32_t period)
{
    for (int i = 0; i < 4; ++i) {
        if (kPeriods[i] == period) {
            const QSignalBlocker block(radios[std::size_t(i)]);
            radios[std::size_t(i)]->setChecked(true);
            pages->setCurrentIndex(i);
        }
    }
}

void MakeWeekdayBoxes(QWidget *parent, WeekdayBoxes &boxes, BoxWeekdays &weekdayOf)
{
    const QLocale locale;
    const int first = int(locale.firstDayOfWeek()); // 1 Monday .. 7 Sunday
    for (int i = 0; i < 7; ++i) {
        const int qtDay = (first - 1 + i) % 7 + 1;
        weekdayOf[std::size_t(i)] = qtDay % 7 + 1; // Qt Monday 1 .. Sunday 7 -> 2 .. 1
        auto *check = new QCheckBox(locale.dayName(qtDay, QLocale::LongFormat), parent);
        check->setObjectName(QStringLiteral("weekday%1").arg(i));
        boxes[std::size_t(i)] = check;
    }
}

void ShowWeekdays(const WeekdayBoxes &boxes, const BoxWeekdays &weekdayOf, std::uint32_t bits)
{
    for (int i = 0; i < 7; ++i)
        boxes[std::size_t(i)]->setChecked(bits & Recur::WeekdayBit(weekdayOf[std::size_t(i)]));
}

std::uint32_t CheckedWeekdays(const WeekdayBoxes &boxes, const BoxWeekdays &weekdayOf)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 7; ++i) {
        if (boxes[std::size_t(i)]->isChecked())
            bits |= Recur::WeekdayBit(weekdayOf[std::size_t(i)]);
    }
    return bits;
}

QWidget *MakeRangeGroup(QWidget *parent, const QString &heading, int headingColumns, RangeFields &fields)
{
    auto *box = new QWidget(parent);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(CSectionHeading::Create(heading, box), 0, 0, 1, headingColumns);
    fields.startDate = CEditorFields::CreateDateField(box, QStringLiteral("startDate"));
    fields.endDate = CEditorFields::CreateDateField(box, QStringLiteral("endDate"));
    fields.noEnd = new QRadioButton(QObject::tr("Does &not end"), box);
    fields.noEnd->setObjectName(QStringLiteral("noEnd"));
    fields.endsOn = new QRadioButton(QObject::tr("Ends &on:"), box);
    fields.endsOn->setObjectName(QStringLiteral("endsOn"));
    auto *startLabel = new QLabel(QObject::tr("&Start:"), box);
    startLabel->setBuddy(fields.startDate);
    grid->addWidget(startLabel, 1, 0);
    grid->addWidget(fields.startDate, 1, 1);
    grid->addWidget(fields.noEnd, 1, 2);
    grid->addWidget(fields.endsOn, 2, 2);
    grid->addWidget(fields.endDate, 2, 3);
    grid->setColumnStretch(4, 1);
    QObject::connect(fields.endsOn, &QRadioButton::toggled, fields.endDate, &QWidget::setEnabled);
    return box;
}

QDialogButtonBox *MakeDialogButtons(QDialog *dialog, bool canRemove, bool readOnly,
                                    std::function<void()> remove)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto *removeButton = buttons->addButton(QObject::tr("&Remove recurrence"), QDialogButtonBox::ResetRole);
    removeButton->setObjectName(QStringLiteral("removeRecurrence"));
    removeButton->setEnabled(canRemove);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!readOnly);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(removeButton, &QPushButton::clicked, dialog, std::move(remove));
    return buttons;
}

} // namespace RecurrenceFields
