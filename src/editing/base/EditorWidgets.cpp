// Widgets the event and task editors share.
#include "editing/base/EditorWidgets.h"

#include "core/items/CalendarItem.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/DialogEx.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/NotesEdit.h"
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/base/SectionHeading.h"
#include "editing/lists/CategoriesDlg.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "toolkit/style/MenuLook.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

namespace EditorWidgets {
// One row per item type with its small icon, and the type's own colours on the row as the views
// draw its items in them. A type without an icon keeps the icon's room so the names line up.
void FillTypeChoices(QComboBox &combo, const IItemTypeCatalog &types)
{
    const auto *list = dynamic_cast<const CItemTypeList *>(&types);
    const int iconSize = CItemTypeList::kSmallIconSize;
    combo.setIconSize(QSize(iconSize, iconSize));
    QPixmap blank(iconSize, iconSize);
    blank.fill(Qt::transparent);
    for (int i = 0; i < types.GetTypeCount(); ++i) {
        ItemTypeInfo info;
        types.GetTypeInfo(i, info);
        QPixmap icon = blank;
        ImagePixels large, small;
        if (list && list->GetTypeIcons(i, large, small)) {
            const CImageList &images = list->GetSmallImages();
            icon = PixmapFromPixels(small, images.GetImageWidth(), images.GetImageHeight());
        }
        combo.addItem(QIcon(icon), info.name);
        const CItemType *type = list ? list->GetType(i) : nullptr;
        if (type && type->HasFlag(CItemType::kFlagOwnColors)) {
            combo.setItemData(i, ToQColor(type->GetFillColor()), Qt::BackgroundRole);
            combo.setItemData(i, ToQColor(type->GetTextColor()), Qt::ForegroundRole);
        }
    }
}

QIcon TypeWindowIcon(const IItemTypeCatalog &types, int index)
{
    const auto *list = dynamic_cast<const CItemTypeList *>(&types);
    ImagePixels large, small;
    if (!list || index < 0 || !list->GetTypeIcons(index, large, small))
        return {};
    QIcon icon;
    const CImageList &smallImages = list->GetSmallImages();
    const CImageList &largeImages = list->GetLargeImages();
    icon.addPixmap(PixmapFromPixels(small, smallImages.GetImageWidth(), smallImages.GetImageHeight()));
    icon.addPixmap(PixmapFromPixels(large, largeImages.GetImageWidth(), largeImages.GetImageHeight()));
    return icon;
}

QPixmap OccurrenceGlyph(const QColor &colour)
{
    constexpr int kChangedOccurrenceGlyph = 2;
    const QSize cell = CMenuLook::kGlyphCells[1];
    QPixmap pixmap(cell);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(colour);
    DrawItemGlyph(painter, kChangedOccurrenceGlyph, 0, 0, cell.width(), cell.height(), cell.width(),
                  CMenuLook::Instance());
    return pixmap;
}

// A one-line rich field for the subject: the notes field's behaviour at the height of a line.
CNotesEdit *MakeSubjectField(QWidget *parent, int maxLength)
{
    auto *edit = new CNotesEdit(parent, maxLength);
    edit->setObjectName(QStringLiteral("subject"));
    edit->SetPlainTextPaste(true);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int line = edit->fontMetrics().lineSpacing();
    edit->setFixedHeight(line + 2 * int(edit->document()->documentMargin()) + 4);
    return edit;
}

QAction *ToolAction(QToolBar *bar, const QString &text, QStyle::StandardPixmap icon, const char *name,
                    bool checkable)
{
    QAction *action = bar->addAction(bar->style()->standardIcon(icon), text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setToolTip(text);
    return action;
}

QHBoxLayout *MakeFootRow(QDialog *dialog, ItemActions &actions, QPushButton *&ok)
{
    auto *row = new QHBoxLayout;
    auto *itemBar = new QToolBar(dialog);
    itemBar->setIconSize(QSize(16, 16));
    actions.print = ToolAction(itemBar, QObject::tr("Print"), QStyle::SP_FileDialogDetailedView, "print", false);
    actions.remove = ToolAction(itemBar, QObject::tr("Delete"), QStyle::SP_TrashIcon, "delete", false);
    itemBar->addSeparator();
    actions.hidden = ToolAction(itemBar, QObject::tr("Hidden Item"), QStyle::SP_DesktopIcon, "hidden", true);
    actions.locked = ToolAction(itemBar, QObject::tr("Locked Item"), QStyle::SP_DialogApplyButton, "locked", true);
    row->addWidget(itemBar);
    row->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    row->addWidget(buttons);
    return row;
}

QToolBar *MakeReminderBar(QWidget *parent, QAction *&topmost)
{
    auto *bar = new QToolBar(parent);
    bar->setIconSize(QSize(16, 16));
    topmost = ToolAction(bar, QObject::tr("Make the reminder window topmost"), QStyle::SP_TitleBarShadeButton,
                         "topmost", true);
    return bar;
}

CNotesEdit *AddNotesSection(QWidget *parent, QBoxLayout *layout, int maxLength)
{
    auto *heading = CSectionHeading::Create(QObject::tr("N&otes"), parent);
    layout->addWidget(heading);
    auto *notes = new CNotesEdit(parent, maxLength);
    notes->setObjectName(QStringLiteral("notes"));
    notes->setMinimumHeight(90);
    heading->setBuddy(notes);
    layout->addWidget(notes, 1);
    return notes;
}

void AddCategoriesRow(QWidget *parent, QBoxLayout *layout, int maxLength, QPushButton *&button,
                      QLineEdit *&field)
{
    auto *row = new QHBoxLayout;
    button = new QPushButton(QObject::tr("Cate&gories..."), parent);
    button->setObjectName(QStringLiteral("categoriesButton"));
    field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("categories"));
    field->setMaxLength(maxLength);
    row->addWidget(button);
    row->addWidget(field, 1);
    layout->addLayout(row);
}

void MakeSeriesButtons(QWidget *parent, QPushButton *&recurrence, QPushButton *&modifySeries)
{
    recurrence = new QPushButton(QObject::tr("&Recurrence..."), parent);
    recurrence->setObjectName(QStringLiteral("recurrence"));
    modifySeries = new QPushButton(QObject::tr("Modify the &series"), parent);
    modifySeries->setObjectName(QStringLiteral("modifySeries"));
}

void RestoreKeptSize(QWidget &window, const CCalendarItem &item)
{
    if (!item.HasFlag(CCalendarItem::FlagEditorWindowSize))
        return;
    const std::uint32_t packed = item.GetEditorWindowSize();
    const QSize kept(int(packed & 0xFFFF), int(packed >> 16));
    if (kept.width() > 0 && kept.height() > 0)
        window.resize(kept.expandedTo(window.minimumSizeHint()));
}

std::optional<QString> ChooseCategories(QWidget *parent, CMasterList *masterList, IFixedObjectStore *file,
                                        QLineEdit *field)
{
    CCategoriesDlg dialog(masterList, file, field->text(), parent);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    field->setText(dialog.GetResult());
    return dialog.GetResult();
}

bool ConfirmDelete(QWidget *parent, const QString &subject, bool occurrence, int promptKind,
                   bool &oneOccurrence)
{
    oneOccurrence = false;
    if (occurrence) {
        CRecurrencePromptDlg prompt(promptKind, 1, subject, parent);
        CReminderWindowsGate::Hold gate;
        if (prompt.exec() != QDialog::Accepted)
            return false;
        oneOccurrence = prompt.GetChoice() == 0;
        return true;
    }
    const QString question = PrintfText(EditingText(EditText::DeleteItemQuestion), {subject});
    return ShowMessageBox(parent, true, question, MessageIcon::Warning, MessageButtons::YesNo) ==
           MessageResult::Yes;
}

int RunEditorWindow(CDialogEx &dialog, bool modal, bool topmost, const std::function<void()> &openRecurrence)
{
    if (!modal)
        dialog.setWindowFlag(Qt::WindowMinimizeButtonHint);
    if (topmost)
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (modal) {
        if (openRecurrence)
            QTimer::singleShot(0, &dialog, openRecurrence);
        return dialog.RunModal(true);
    }
    dialog.CreateModeless();
    if (openRecurrence)
        QTimer::singleShot(0, &dialog, openRecurrence);
    return 0;
}

} // namespace EditorWidgets
