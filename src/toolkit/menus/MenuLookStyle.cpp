// The menu look as a proxy style.
#include "toolkit/menus/MenuLookStyle.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/menus/MenuMetrics.h"
#include "toolkit/menus/MenuPlacement.h"
#include "toolkit/style/MenuLook.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kImageSize = 16;

// The check mark of a checked item without an image.
void DrawCheckGlyph(QPainter *painter, const QRect &cell, const QColor &colour)
{
    const QPointF c = QRectF(cell).center();
    QPainterPath path;
    path.moveTo(c.x() - 3.5, c.y() - 0.5);
    path.lineTo(c.x() - 1.0, c.y() + 2.5);
    path.lineTo(c.x() + 3.5, c.y() - 2.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->drawPath(path);
    painter->restore();
}

// The sub-menu arrow, pointing away from the text.
void DrawSubMenuArrow(QPainter *painter, const QRect &square, const QColor &colour, bool rightToLeft)
{
    const QPoint c = square.center();
    painter->save();
    painter->setPen(colour);
    for (int i = 0; i < 4; ++i) {
        const int x = rightToLeft ? c.x() + 1 - i : c.x() - 1 + i;
        painter->drawLine(x, c.y() - 3 + i, x, c.y() + 3 - i);
    }
    painter->restore();
}

unsigned ToolButtonState(const QStyleOption *option, const QWidget *widget)
{
    unsigned state = 0;
    const bool active = !widget || !widget->window() || widget->window()->isActiveWindow();
    if (!(option->state & QStyle::State_Enabled))
        state |= kStateDisabled;
    if (option->state & QStyle::State_On)
        state |= kStateChecked;
    if (option->state & QStyle::State_Sunken)
        state |= kStateSelected | kStateHot;
    else if (active && (option->state & (QStyle::State_MouseOver | QStyle::State_Raised)) && !(state & kStateDisabled))
        state |= kStateHot;
    if (widget && widget->property(CMenuLookStyle::kOpenDropDown).toBool())
        state |= kStateIndeterminate;
    return state;
}

} // namespace

CMenuLookStyle::CMenuLookStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

CMenuLookStyle::CMenuLookStyle(const CMenuLook &look)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_look(&look)
{
}

const CMenuLook &CMenuLookStyle::Look() const
{
    return m_look ? *m_look : CMenuLook::Instance();
}

int CMenuLookStyle::MenuHeight(const QWidget *widget) const
{
    const QFontMetrics fm = widget ? widget->fontMetrics() : QFontMetrics(QFont());
    return MenuHeightForFont(fm.height());
}

int CMenuLookStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuVMargin: // with the panel: the popup frame's two pixels at top and bottom
        return 1;
    case PM_MenuHMargin:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarVMargin:
        return 0;
    case PM_MenuBarHMargin:
        return 3; // the bar's left border
    case PM_SmallIconSize:
        return kImageSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int CMenuLookStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_MenuBar_AltKeyNavigation:
        return 0; // the menu bar runs its own Alt and F10 menu mode
    case SH_Menu_AllowActiveAndDisabled:
        return 1; // the keyboard may rest on a greyed item
    case SH_Menu_MouseTracking:
    case SH_MenuBar_MouseTracking:
        return 1;
    case SH_Menu_FlashTriggeredItem:
    case SH_Menu_FadeOutOnHide:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize CMenuLookStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                       const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (item && type == CT_MenuItem) {
        MenuMetrics m{MenuHeight(widget), kImageSize};
        if (item->menuItemType == QStyleOptionMenuItem::Separator)
            return MeasureMenuSeparator(m);
        const bool hasTab = item->text.contains(QLatin1Char('\t'));
        // The system widens owner-drawn items by the check-mark width; the text gap and the
        // icon column's two extra pixels come out of it.
        const QSize s = MeasureMenuPopupItem(size, hasTab, m);
        return {s.width() + kMenuTextGap + 4, s.height()};
    }
    if (item && type == CT_MenuBarItem) {
        MenuMetrics m{MenuHeight(widget), kImageSize};
        const QSize s = MeasureMenuBarItem(size, m);
        return {s.width() + 14, s.height() + 2};
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void CMenuLookStyle::FillBarBackground(QPainter *painter, const QRect &rect, const QWidget *widget) const
{
    if (widget && widget->property(kBarColour).isValid()) {
        painter->fillRect(rect, widget->property(kBarColour).value<QColor>());
        return;
    }
    painter->save();
    // Aligned to the frame, so the background runs on across neighbouring bars.
    if (widget && widget->window())
        painter->setBrushOrigin(-widget->mapTo(widget->window(), QPoint(0, 0)));
    painter->fillRect(rect, GetBarBackgroundBrush(Look()));
    painter->restore();
}

void CMenuLookStyle::DrawPopupItem(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto *mi = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!mi)
        return;
    const MenuMetrics m{MenuHeight(widget), kImageSize};
    const QRect r = mi->rect;
    const bool rtl = mi->direction == Qt::RightToLeft;
    const int column = MenuIconColumnWidth(m);
    const QRect iconColumn = rtl ? QRect(r.right() - column + 1, r.top(), column, r.height())
                                 : QRect(r.left(), r.top(), column, r.height());
    const bool enabled = mi->state & State_Enabled;
    bool selected = mi->state & State_Selected;
    // A greyed item under the mouse looks unselected; reached by the keyboard it keeps the look.
    if (selected && !enabled && !(widget && widget->property(kKeyboardSelect).toBool()))
        selected = false;
    const bool checked = mi->checkType != QStyleOptionMenuItem::NotCheckable && mi->checked;
    unsigned state = (selected ? kStateSelected : 0) | (enabled ? 0 : kStateDisabled | kStateGrayed) |
                     (checked ? kStateChecked : 0);

    const ColorPair gradient = GetItemGradientColors(false, state, Look());
    FillGradientRect(*painter, iconColumn, rtl ? gradient.second : gradient.first,
                     rtl ? gradient.first : gradient.second, false);
    const int textStart = rtl ? iconColumn.left() - kMenuTextGap : iconColumn.right() + 1 + kMenuTextGap;
    const QRect textArea = rtl ? QRect(r.left(), r.top(), iconColumn.left() - r.left(), r.height())
                               : QRect(iconColumn.right() + 1, r.top(), r.right() - iconColumn.right(), r.height());

    if (mi->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(textArea, ToQColor(GetMenuIconBackColor(0, Look())));
        const int y = r.top() + r.height() / 2;
        painter->setPen(ToQColor(GetMenuLookShadowColor(Look())));
        if (rtl)
            painter->drawLine(r.left(), y, textStart, y);
        else
            painter->drawLine(textStart, y, r.right(), y);
        return;
    }

    if (selected) {
        painter->setPen(ToQColor(GetMenuIconBackColor(0, Look())));
        const int edge = rtl ? r.left() : r.right();
        painter->drawLine(edge, r.top(), edge, r.bottom());
        const QRect box = rtl ? r.adjusted(2, 0, -1, 0) : r.adjusted(1, 0, -2, 0);
        painter->fillRect(box, ToQColor(GetMenuIconBackColor(kStateSelected, Look())));
        painter->setPen(ToQColor(GetMenuItemBorderColor(false, true, kStateSelected, Look())));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
    } else {
        painter->fillRect(textArea, ToQColor(GetMenuIconBackColor(0, Look())));
    }

    // The icon cell: the column deflated by 2 and 1, made square.
    QRect cell = iconColumn.adjusted(2, 1, -2, -1);
    const int side = std::min(cell.width(), cell.height());
    cell = QRect(cell.left() + (cell.width() - side) / 2, cell.top() + (cell.height() - side) / 2, side, side);
    const QColor textColour = ToQColor(GetMenuTextColor(state, Look()));
    if (checked) {
        painter->fillRect(cell, ToQColor(GetMenuCheckBackColor(state, Look())));
        painter->setPen(ToQColor(GetMenuItemBorderColor(false, true, kStateChecked, Look())));
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
    }
    if (!mi->icon.isNull()) {
        const QPixmap pixmap = mi->icon.pixmap(QSize(kImageSize, kImageSize), painter->device()->devicePixelRatioF(),
                                               enabled ? QIcon::Normal : QIcon::Disabled);
        const QRect inner = cell.adjusted(1, 1, -1, -1);
        const QSize logical = pixmap.deviceIndependentSize().toSize();
        painter->drawPixmap(inner.left() + (inner.width() - logical.width()) / 2,
                            inner.top() + (inner.height() - logical.height()) / 2, pixmap);
    } else if (checked) {
        DrawCheckGlyph(painter, cell, textColour);
    }

    QFont font = mi->font;
    if (mi->menuItemType == QStyleOptionMenuItem::DefaultItem)
        font.setBold(true);
    painter->setFont(font);
    painter->setPen(textColour);
    const MenuItemText text = SplitMenuItemText(mi->text);
    const QRect textRect = rtl ? QRect(r.left() + m.menuHeight, r.top(), textStart - r.left() - m.menuHeight, r.height())
                               : QRect(textStart, r.top(), r.right() - m.menuHeight - textStart, r.height());
    const int mnemonic = Qt::TextShowMnemonic;
    painter->drawText(textRect, int(rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine | mnemonic,
                      text.label);
    if (!text.accelerator.isEmpty())
        painter->drawText(textRect, int(rtl ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter | Qt::TextSingleLine,
                          text.accelerator);
    if (mi->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const QRect square = rtl ? QRect(r.left(), r.top() + (r.height() - m.menuHeight) / 2, m.menuHeight, m.menuHeight)
                                 : QRect(r.right() - m.menuHeight + 1, r.top() + (r.height() - m.menuHeight) / 2,
                                         m.menuHeight, m.menuHeight);
        DrawSubMenuArrow(painter, square, textColour, rtl);
    }
}

void CMenuLookStyle::DrawBarItem(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto *mi = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!mi)
        return;
    unsigned state = 0;
    if ((mi->state & State_Selected) && (mi->state & State_Sunken))
        state = kStateSelected;
    else if (mi->state & State_Selected)
        state = kStateHot;
    if (!(mi->state & State_Enabled))
        state |= kStateDisabled;
    const QRect r = mi->rect;
    if (state & (kStateSelected | kStateHot)) {
        const ColorPair pair = GetItemGradientColors(true, state, Look());
        painter->setPen(ToQColor(GetMenuItemBorderColor(true, true, state, Look())));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        FillGradientRect(*painter, r.adjusted(1, 1, -1, -1), pair.first, pair.second, true);
    } else {
        FillBarBackground(painter, r, widget);
    }
    const bool mnemonics = widget && widget->property(kShowMnemonics).toBool();
    painter->setPen(ToQColor(GetMenuTextColor(state, Look())));
    painter->setFont(mi->font);
    painter->drawText(r, Qt::AlignCenter | Qt::TextSingleLine | (mnemonics ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
                      mi->text);
}

void CMenuLookStyle::DrawPopupFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const QRect r = option->rect;
    const QColor iconBack = ToQColor(GetMenuIconBackColor(0, Look()));
    painter->save();
    painter->setPen(iconBack);
    painter->drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    painter->drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    painter->setPen(ToQColor(GetMenuItemBorderColor(false, false, 0, Look())));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
    // Where the popup meets its open bar item the border gives way, so both form one outline.
    if (widget) {
        const QRect item = widget->property(kOpenItemRect).toRect();
        if (!item.isEmpty()) {
            const QRect popup(widget->mapToGlobal(r.topLeft()), r.size());
            const QRect gap = PopupBorderGap(popup, item);
            if (!gap.isEmpty())
                painter->fillRect(gap.translated(-popup.topLeft() + r.topLeft()), iconBack);
        }
    }
    painter->restore();
}

void CMenuLookStyle::DrawToolButtonPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const unsigned state = ToolButtonState(option, widget);
    if (!(state & (kStateSelected | kStateChecked | kStateHot | kStateIndeterminate)))
        return;
    ColorPair fill{Look().GetColors().barBackground, Look().GetColors().barBackground};
    GetToolbarButtonFillColors(state, fill, Look());
    const QRect r = option->rect;
    painter->save();
    painter->setPen(ToQColor(GetToolbarButtonBorderColor(state, Look())));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
    FillGradientRect(*painter, r.adjusted(1, 1, -1, -1), fill.first, fill.second, true);
    painter->restore();
}

void CMenuLookStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    switch (element) {
    case CE_MenuItem:
        DrawPopupItem(option, painter, widget);
        return;
    case CE_MenuBarItem:
        DrawBarItem(option, painter, widget);
        return;
    case CE_MenuBarEmptyArea:
    case CE_ToolBar:
        FillBarBackground(painter, option->rect, widget);
        return;
    case CE_MenuEmptyArea:
    case CE_MenuTearoff:
    case CE_MenuScroller:
        painter->fillRect(option->rect, ToQColor(GetMenuIconBackColor(0, Look())));
        return;
    default:
        QProxyStyle::drawControl(element, option, painter, widget);
    }
}

void CMenuLookStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                        const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionToolButton *>(option);
    if (control == CC_ToolButton && button && widget && widget->property(kOpenDropDown).toBool()) {
        // A button whose drop-down is open shows pressed-open while the pointer is elsewhere.
        QStyleOptionToolButton open = *button;
        open.state |= State_Raised | State_MouseOver;
        QProxyStyle::drawComplexControl(control, &open, painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void CMenuLookStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    switch (element) {
    case PE_FrameMenu:
        DrawPopupFrame(option, painter, widget);
        return;
    case PE_PanelMenu:
        painter->fillRect(option->rect, ToQColor(GetMenuIconBackColor(0, Look())));
        return;
    case PE_PanelMenuBar:
    case PE_PanelToolBar:
        FillBarBackground(painter, option->rect, widget);
        return;
    case PE_IndicatorToolBarSeparator: {
        // An etched line: shadow then light, two pixels when they differ.
        const QColor shadow = ToQColor(GetMenuLookShadowColor(Look()));
        const QColor light = ToQColor(GetMenuLookLightColor(Look()));
        const QRect r = option->rect;
        painter->save();
        if (option->state & State_Horizontal) {
            const int x = (r.left() + r.right()) / 2 - 1;
            painter->setPen(shadow);
            painter->drawLine(x, r.top() + 3, x, r.bottom() - 3);
            if (shadow != light) {
                painter->setPen(light);
                painter->drawLine(x + 1, r.top() + 3, x + 1, r.bottom() - 3);
            }
        } else {
            const int y = (r.top() + r.bottom()) / 2 - 1;
            painter->setPen(shadow);
            painter->drawLine(r.left() + 3, y, r.right() - 3, y);
            if (shadow != light) {
                painter->setPen(light);
                painter->drawLine(r.left() + 3, y + 1, r.right() - 3, y + 1);
            }
        }
        painter->restore();
        return;
    }
    case PE_PanelButtonTool:
        if (qobject_cast<const QToolButton *>(widget)) {
            DrawToolButtonPanel(option, painter, widget);
            return;
        }
        break;
    case PE_IndicatorArrowDown:
        if (qobject_cast<const QToolButton *>(widget)) {
            // Three short lines narrowing downwards, in the text colour.
            const QPoint c = option->rect.center();
            painter->save();
            painter->setPen(ToQColor(GetToolbarTextColor(ToolButtonState(option, widget), Look())));
            painter->drawLine(c.x() - 2, c.y() - 1, c.x() + 2, c.y() - 1);
            painter->drawLine(c.x() - 1, c.y(), c.x() + 1, c.y());
            painter->drawPoint(c.x(), c.y() + 1);
            painter->restore();
            return;
        }
        break;
    case PE_FrameStatusBarItem:
        return; // flat panes
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QImage CMenuLookStyle::MakeGreyAlphaImage(const QImage &image, double divisor)
{
    divisor = std::max(divisor, 1.5);
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int grey = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
            line[x] = qRgba(grey, grey, grey, int(qAlpha(p) / divisor));
        }
    }
    return out;
}

QPixmap CMenuLookStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap, const QStyleOption *option) const
{
    if (mode == QIcon::Disabled) {
        QPixmap out = QPixmap::fromImage(MakeGreyAlphaImage(pixmap.toImage(), 3.0));
        out.setDevicePixelRatio(pixmap.devicePixelRatio());
        return out;
    }
    return QProxyStyle::generatedIconPixmap(mode, pixmap, option);
}
