// Menu entries of a name list.
#include "editing/lists/NamedListMenu.h"

#include "core/lists/CategoryListBase.h"
#include "editing/base/EditingStrings.h"

#include <QAction>
#include <QMenu>

int CNamedListMenu::Insert(QMenu &menu, const CCategoryListBase &list, int firstId)
{
    if (list.GetCount() == 0) {
        QAction *none = menu.addAction(EditingText(EditText::NoneMenuItem));
        none->setData(firstId);
        none->setEnabled(false);
        return 1;
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        QString text = list.GetAt(i)->GetName();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        menu.addAction(text)->setData(firstId + i);
    }
    return list.GetCount();
}
