// The options tree: item images as state, clicks and the space bar.
#include "toolkit/controls/TreeOptionsCtrl.h"

#include "toolkit/controls/ControlResources.h"
#include "toolkit/style/ViewResources.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int kImageRole = Qt::UserRole + 2;
}

CTreeOptionsCtrl::CTreeOptionsCtrl(QWidget *parent) : QTreeWidget(parent)
{
    InitControlResources();
    m_images = LoadImageStrip(QString::fromLatin1(kImagesPath), 16, true);
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QTreeWidgetItem *CTreeOptionsCtrl::InsertGroup(const QString &text, int image, QTreeWidgetItem *parent)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    SetImage(item, image);
    return item;
}

QTreeWidgetItem *CTreeOptionsCtrl::InsertCheckBox(const QString &text, QTreeWidgetItem *parent, bool checked)
{
    QTreeWidgetItem *item = InsertGroup(text, kCheckOff, parent);
    SetCheck(item, checked);
    return item;
}

int CTreeOptionsCtrl::GetImage(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void CTreeOptionsCtrl::SetImage(QTreeWidgetItem *item, int image)
{
    if (!item)
        return;
    item->setData(0, kImageRole, image);
    // An index outside the strip shows no picture, but the state is kept all the same.
    // The same picture selected or not: the picture is the state and must read the same.
    QIcon icon;
    if (image >= 0 && image < m_images.size()) {
        icon.addPixmap(m_images.at(image), QIcon::Normal);
        icon.addPixmap(m_images.at(image), QIcon::Selected);
    }
    item->setIcon(0, icon);
}

void CTreeOptionsCtrl::SetCheck(QTreeWidgetItem *item, bool checked)
{
    SetImage(item, checked ? kCheckOn : kCheckOff);
}

bool CTreeOptionsCtrl::GetCheck(const QTreeWidgetItem *item) const
{
    const int image = GetImage(item);
    return image == kCheckOn || image == kCheckOnDisabled;
}

void CTreeOptionsCtrl::EnableCheckBox(QTreeWidgetItem *item, bool enable)
{
    const bool checked = GetCheck(item);
    if (enable)
        SetImage(item, checked ? kCheckOn : kCheckOff);
    else
        SetImage(item, checked ? kCheckOnDisabled : kCheckOffDisabled);
}

void CTreeOptionsCtrl::SelectRadio(QTreeWidgetItem *item)
{
    if (!item)
        return;
    setUpdatesEnabled(false);
    QTreeWidgetItem *parent = item->parent();
    const int siblings = parent ? parent->childCount() : topLevelItemCount();
    for (int i = 0; i < siblings; ++i) {
        QTreeWidgetItem *sibling = parent ? parent->child(i) : topLevelItem(i);
        const int image = GetImage(sibling);
        if (sibling == item)
            SetImage(sibling, kRadioOn);
        else if (IsRadioImage(image)) // check boxes and groups among the siblings stay as they are
            SetImage(sibling, IsEnabledRadioImage(image) ? kRadioOff : kRadioOffDisabled);
    }
    setUpdatesEnabled(true);
}

bool CTreeOptionsCtrl::Activate(QTreeWidgetItem *item)
{
    const int image = GetImage(item);
    if (IsEnabledCheckImage(image)) {
        SetCheck(item, !GetCheck(item));
        emit optionToggled(item);
        return true;
    }
    if (IsEnabledRadioImage(image) && !IsSelectedRadioImage(image)) {
        SelectRadio(item);
        return true;
    }
    return false;
}

void CTreeOptionsCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem *item = itemAt(event->position().toPoint()))
            Activate(item);
    }
    QTreeWidget::mousePressEvent(event);
}

void CTreeOptionsCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Handled: groups neither open nor close on a double click, and options do not toggle twice.
    event->accept();
}

void CTreeOptionsCtrl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && Activate(currentItem())) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void DDX_TreeOptionsCheck(bool saving, CTreeOptionsCtrl &tree, QTreeWidgetItem *item, int &value)
{
    if (saving)
        value = tree.GetCheck(item) ? 1 : 0;
    else
        tree.SetCheck(item, value != 0);
}
