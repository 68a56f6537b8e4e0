// CPreviewBar: what the event and task bars of the preview pane share: the subject and notes
// fields (read-only notes fields whose links open on a click), the item-type field (always
// disabled), the series or occurrence picture, the categories and the read-only value fields.
#pragma once

#include "containers/preview/PreviewFields.h"

#include <QWidget>

class CNotesEdit;
class QGridLayout;
class QLabel;
class QLineEdit;

class CPreviewBar : public QWidget
{
  public:
    // Control ids shared by both bars.
    static constexpr int kSubjectId = 1040;
    static constexpr int kNotesId = 1041;
    static constexpr int kItemTypeId = 1381;
    static constexpr int kCategoriesId = 1246;
    static constexpr int kReminderId = 1326;

    explicit CPreviewBar(QWidget *parent);

    CNotesEdit *Subject() const { return m_subject; }
    CNotesEdit *Notes() const { return m_notes; }
    QLineEdit *ItemType() const { return m_itemType; }
    QLineEdit *Categories() const { return m_categories; }
    PreviewIcon GetIcon() const { return m_icon; }
    // The value field with the control id (dates, times, status and the like), or null.
    QLineEdit *Field(int controlId) const;
    // Every field the user may focus (for the pane's focus and key handling).
    QList<QWidget *> FocusFields() const;

  protected:
    // The shared top rows (picture, subject, item type) and bottom rows (notes, categories)
    // around the bar's own rows, which the bar adds to the grid between them.
    QGridLayout *Grid() const { return m_grid; }
    QLineEdit *AddField(int controlId);
    QLabel *AddLabel(const QString &text);
    void FinishLayout(int firstRow, int rows);
    void SetCommon(PreviewIcon icon, const QString &itemType, const QString &subject, const QString &notes,
                   const QString &categories);

  private:
    QGridLayout *m_grid = nullptr;
    CNotesEdit *m_subject = nullptr;
    CNotesEdit *m_notes = nullptr;
    QLineEdit *m_itemType = nullptr;
    QLineEdit *m_categories = nullptr;
    QLabel *m_picture = nullptr;
    PreviewIcon m_icon = PreviewIcon::None;
    QList<QLineEdit *> m_fields;
};
