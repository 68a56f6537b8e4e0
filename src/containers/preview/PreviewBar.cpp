// The shared part of the preview pane's bars.
#include "containers/preview/PreviewBar.h"

#include "editing/base/NotesEdit.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {
// Cells of the item glyph strip the pictures come from.
constexpr int kGlyphRecurring = 0;
constexpr int kGlyphChanged = 2;
constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 11;

QPixmap GlyphPixmap(int glyph)
{
    QPixmap pixmap(kGlyphWidth, kGlyphHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPalette().color(QPalette::WindowText));
    DrawItemGlyph(painter, glyph, 0, 0, kGlyphWidth, kGlyphHeight, kGlyphWidth);
    return pixmap;
}

void MakeReadOnlyNotes(CNotesEdit *edit, const QPalette &palette)
{
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                  Qt::LinksAccessibleByMouse);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(p);
}

QFrame *Separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

CPreviewBar::CPreviewBar(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    m_grid = new QGridLayout(this);
    // Compact: the pane's default height (201 pixels) holds every row.
    m_grid->setContentsMargins(8, 4, 8, 4);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(3);

    m_picture = new QLabel(this);
    m_picture->setFixedSize(kGlyphWidth + 2, kGlyphHeight + 2);
    m_subject = new CNotesEdit(this, 255);
    m_subject->setObjectName(QStringLiteral("subject"));
    m_subject->setLineWrapMode(QTextEdit::NoWrap);
    m_subject->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_subject->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_subject->setFixedHeight(m_subject->fontMetrics().height() + 8);
    m_notes = new CNotesEdit(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setMinimumHeight(m_notes->fontMetrics().height() + 8);
    MakeReadOnlyNotes(m_subject, palette());
    MakeReadOnlyNotes(m_notes, palette());
    m_itemType = new QLineEdit(this);
    m_itemType->setObjectName(QStringLiteral("itemType"));
    m_itemType->setEnabled(false);
    m_itemType->setMinimumWidth(120);
    m_categories = AddField(kCategoriesId);

    auto *subjectRow = new QHBoxLayout;
    subjectRow->setSpacing(6);
    subjectRow->addWidget(m_picture);
    subjectRow->addWidget(AddLabel(tr("Subject:")));
    subjectRow->addWidget(m_subject, 1);
    subjectRow->addSpacing(6);
    subjectRow->addWidget(AddLabel(tr("Item type:")));
    subjectRow->addWidget(m_itemType);
    m_grid->addLayout(subjectRow, 0, 0, 1, 6);
    m_grid->addWidget(Separator(this), 1, 0, 1, 6);
}

QLineEdit *CPreviewBar::AddField(int controlId)
{
    auto *field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setProperty("controlId", controlId);
    field->setObjectName(QStringLiteral("field%1").arg(controlId));
    QPalette p = field->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    field->setPalette(p);
    m_fields.append(field);
    return field;
}

QLabel *CPreviewBar::AddLabel(const QString &text)
{
    auto *label = new QLabel(text, this);
    return label;
}

void CPreviewBar::FinishLayout(int firstRow, int rows)
{
    // Rows of the bar itself run from firstRow; the notes take the rest of the height.
    const int sep = firstRow + rows;
    m_grid->addWidget(Separator(this), sep, 0, 1, 6);
    m_grid->addWidget(AddLabel(tr("Notes:")), sep + 1, 0, Qt::AlignTop);
    m_grid->addWidget(m_notes, sep + 1, 1, 1, 5);
    m_grid->addWidget(AddLabel(tr("Categories:")), sep + 2, 0);
    m_grid->addWidget(m_categories, sep + 2, 1, 1, 5);
    m_grid->setRowStretch(sep + 1, 1);
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(4, 1);
}

QLineEdit *CPreviewBar::Field(int controlId) const
{
    for (QLineEdit *field : m_fields)
        if (field->property("controlId").toInt() == controlId)
            return field;
    return nullptr;
}

QList<QWidget *> CPreviewBar::FocusFields() const
{
    QList<QWidget *> out{m_subject, m_notes};
    for (QLineEdit *field : m_fields)
        out.append(field);
    return out;
}

void CPreviewBar::SetCommon(PreviewIcon icon, const QString &itemType, const QString &subject, const QString &notes,
                            const QString &categories)
{
    m_icon = icon;
    switch (icon) {
    case PreviewIcon::Series:
        m_picture->setPixmap(GlyphPixmap(kGlyphRecurring));
        m_picture->setToolTip(tr("Recurring item"));
        break;
    case PreviewIcon::Occurrence:
        m_picture->setPixmap(GlyphPixmap(kGlyphChanged));
        m_picture->setToolTip(tr("One occurrence of a recurring item"));
        break;
    case PreviewIcon::None:
        m_picture->clear();
        m_picture->setToolTip(QString());
        break;
    }
    m_itemType->setText(itemType);
    m_subject->SetStoredText(subject);
    m_notes->SetStoredText(notes);
    m_categories->setText(categories);
    m_categories->setCursorPosition(0);
}
