// The item-type field.
#include "editing/types/ItemTypeEdit.h"

#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/ImagePixelsQt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

CItemTypeEdit::CItemTypeEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    m_gradient = GetProfileInt(ConstName::Common, ConstName::UG, 1) != 0;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->depth() <= 8)
        m_gradient = false;
}

bool CItemTypeEdit::UsesGradient() const
{
    return m_gradient && m_ownColors;
}

void CItemTypeEdit::SetItemType(const QString &name)
{
    m_name = name;
    m_index = -1;
    m_ownColors = false;
    const auto *list = dynamic_cast<const CItemTypeList *>(GetItemTypeCatalog());
    if (list) {
        m_index = list->FindType(name);
        const CItemType *type = m_index >= 0 ? list->GetType(m_index) : nullptr;
        if (type && type->HasFlag(CItemType::kFlagOwnColors)) {
            m_ownColors = true;
            m_text = type->GetTextColor();
            m_back = type->GetFillColor();
            m_shades = type->GetGradientColors();
        }
    }
    if (!m_ownColors) {
        m_text = FromQColor(palette().color(QPalette::ButtonText));
        m_back = FromQColor(palette().color(QPalette::Button));
        m_shades = GradientPair{m_back, m_back};
    }
    update();
}

void CItemTypeEdit::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    if (UsesGradient())
        FillGradientRect(painter, area, m_shades.light, m_shades.dark, false, true);
    else
        painter.fillRect(area, ToQColor(m_back));
    constexpr int kIcon = CItemTypeList::kSmallIconSize;
    const auto *list = dynamic_cast<const CItemTypeList *>(GetItemTypeCatalog());
    ImagePixels large, small;
    if (list && m_index >= 0 && list->GetTypeIcons(m_index, large, small)) {
        const int top = std::max(0, (area.height() - kIcon) / 2);
        painter.drawPixmap(2, top,
                           PixmapFromPixels(small, list->GetSmallImages().GetImageWidth(),
                                            list->GetSmallImages().GetImageHeight()));
    }
    // The name follows an 18-pixel icon column, 4 pixels on and 1 down.
    const QRect textRect = area.adjusted(18 + 4, 1, 0, 0);
    painter.setPen(ToQColor(m_text));
    painter.setFont(font());
    painter.setClipRect(area);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_name);
}
