// Type and filter menus and combo boxes.
#include "views/drawing/ItemTypeMenus.h"

#include "core/lists/ItemTypeList.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "views/drawing/ItemTypeIconSource.h"
#include "views/drawing/ItemTypeImageSource.h"
#include "views/drawing/TypeIconDrawing.h"

#include <QComboBox>
#include <QMenu>

QString MenuTextFromName(const QString &name)
{
    QString text = name;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

int AppendTypesToMenu(QMenu &menu, const CItemTypeList &list, int firstCommandId,
                      const ITypeIconSource *icons)
{
    const int count = list.GetTypeCount();
    if (count == 0) {
        QAction *action = menu.addAction(MenuTextFromName(list.GetUndefinedType().GetName()));
        action->setData(firstCommandId);
        action->setEnabled(false);
        return 1;
    }
    const CItemTypeIconSource ownIcons(list);
    const CItemTypeImageSource images(icons ? icons : &ownIcons);
    for (int i = 0; i < count; ++i) {
        QAction *action = menu.addAction(MenuTextFromName(list.GetType(i)->GetName()));
        action->setData(firstCommandId + i);
        action->setIcon(QIcon(images.Image(CItemTypeImageSource::kFirstTypeImage + i, false)));
    }
    return count;
}

int AppendFiltersToMenu(QMenu &menu, int position, const CItemTypeList &list, int firstCommandId)
{
    const QList<QAction *> existing = menu.actions();
    QAction *before = position >= 0 && position < existing.size() ? existing[position] : nullptr;
    const int count = list.GetFilterCount();
    for (int i = 0; i < count; ++i) {
        auto *action = new QAction(MenuTextFromName(list.GetFilter(i)->GetName()), &menu);
        action->setData(firstCommandId + i);
        menu.insertAction(before, action);
    }
    return count;
}

void FillTypeCombo(QComboBox &combo, const CItemTypeList &list)
{
    combo.clear();
    for (int i = 0; i < list.GetTypeCount(); ++i)
        combo.addItem(list.GetType(i)->GetName());
}

void FillFilterCombo(QComboBox &combo, const CItemTypeList &list)
{
    combo.clear();
    for (int i = 0; i < list.GetFilterCount(); ++i)
        combo.addItem(list.GetFilter(i)->GetName());
}

void GetTypeIcons(const CItemTypeList &list, int index, QPixmap &large, QPixmap &small)
{
    ImagePixels largePixels, smallPixels;
    if (!list.GetTypeIcons(index, largePixels, smallPixels)) {
        large = DefaultTypeIcon(32);
        small = DefaultTypeIcon(16);
        return;
    }
    const CImageList &l = list.GetLargeImages();
    const CImageList &s = list.GetSmallImages();
    large = PixmapFromPixels(largePixels, l.GetImageWidth(), l.GetImageHeight());
    small = PixmapFromPixels(smallPixels, s.GetImageWidth(), s.GetImageHeight());
}
