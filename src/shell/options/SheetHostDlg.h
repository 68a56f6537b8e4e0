// CSheetHostDlg: a dialog that holds a property sheet as its child, sizes itself round it and
// puts its buttons in a row under the sheet's right edge.
#pragma once

#include "editing/base/DialogEx.h"

#include <QRect>
#include <QSize>
#include <vector>

class CPropertySheetBase;
class QPushButton;

class CSheetHostDlg : public CDialogEx
{
    Q_OBJECT
  public:
    static constexpr int kRightInset = 6; // the first button's right edge inside the sheet's
    static constexpr int kButtonGap = 10;
    static constexpr int kBottomMargin = 8;
    static constexpr int kSheetMargin = 7; // round the sheet, as a framework sheet keeps

    // The sheet is not owned until Create makes it a child. A caption of 0 keeps "Options".
    CSheetHostDlg(CPropertySheetBase *sheet, QWidget *parent = nullptr);

    // Places the sheet and the buttons and sets the caption; call once the pages are in.
    void Create();

    // The button row, right to left: each button's rectangle, the first one's right edge
    // kRightInset left of the sheet's right edge, each next kButtonGap left of the previous,
    // all with the sheet's bottom as their top.
    static std::vector<QRect> LayOutButtons(const QRect &sheet, const std::vector<QSize> &buttons);
    // The client size that holds the sheet and, under it, the button row and the margin.
    static QSize ClientSizeFor(const QRect &sheet, int buttonHeight);

    CPropertySheetBase *Sheet() const { return m_sheet; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

  protected:
    CPropertySheetBase *m_sheet;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
