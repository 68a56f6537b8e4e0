// The day grid and banner windows' scroll bar.
#include "views/base/ViewScrollBar.h"

#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

QScrollBar *CreateViewScrollBar(QWidget *parent, const QString &objectName)
{
    auto *bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(objectName);
    bar->setSingleStep(1);
    bar->hide();
    return bar;
}

void ShowScrollState(QScrollBar &bar, int minimum, int maximum, int page, int position, bool enabled,
                     bool visible)
{
    const QSignalBlocker block(&bar);
    bar.setRange(minimum, std::max(minimum, maximum + 1 - std::max(1, page)));
    bar.setPageStep(std::max(1, page));
    bar.setValue(position);
    bar.setEnabled(enabled);
    bar.setVisible(visible);
}

void MoveEditWithContent(QLineEdit *edit, int dy)
{
    if (dy != 0 && edit && !edit->isHidden())
        edit->move(edit->pos() + QPoint(0, dy));
}

int ScrollCodeOfSliderAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return 0;
    case QAbstractSlider::SliderSingleStepAdd:
        return 1;
    case QAbstractSlider::SliderPageStepSub:
        return 2;
    case QAbstractSlider::SliderPageStepAdd:
        return 3;
    case QAbstractSlider::SliderMove:
        return 5;
    case QAbstractSlider::SliderToMinimum:
        return 6;
    case QAbstractSlider::SliderToMaximum:
        return 7;
    default:
        return -1;
    }
}
