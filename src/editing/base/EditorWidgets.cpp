// Widgets the event and task editors share.
#include "editing/base/EditorWidgets.h"

#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "editing/base/NotesEdit.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/ImagePixelsQt.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QPixmap>
#include <QTextDocument>
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

} // namespace EditorWidgets
