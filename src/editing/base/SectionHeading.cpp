// Section headings in the dialog font at weight 700, with a rule after them.
#include "editing/base/SectionHeading.h"

#include <QLabel>

QLabel *CSectionHeading::Create(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}
