// CItemTypeEdit: a read-only field that shows an item type as a band in the type's colours (a
// gradient when the screen shows more than 256 colours and "Common"/"UG" is on), with the type's
// small icon and its name. The preview pane's event and task bars use it.
#pragma once

#include "core/lists/ColorRules.h"

#include <QLineEdit>

class CItemTypeEdit : public QLineEdit
{
    Q_OBJECT
  public:
    explicit CItemTypeEdit(QWidget *parent = nullptr);

    // Looks the name up in the open file's types: a type with its own colours shows them, any
    // other the button colours.
    void SetItemType(const QString &name);
    const QString &GetItemTypeName() const { return m_name; }
    int GetTypeIndex() const { return m_index; }
    bool UsesGradient() const;
    // Off forces the flat background (as a screen of 256 colours or fewer does).
    void SetGradient(bool on) { m_gradient = on; }
    COLORREF GetBackColor() const { return m_back; }
    COLORREF GetTextColor() const { return m_text; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    bool m_gradient = true;
    bool m_ownColors = false;
    COLORREF m_text = 0;
    COLORREF m_back = 0;
    GradientPair m_shades;
    int m_index = -1;
    QString m_name;
};
