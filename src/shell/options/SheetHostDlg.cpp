// The sheet host dialog.
#include "shell/options/SheetHostDlg.h"

#include "shell/PropertySheetBase.h"

#include <QPushButton>

CSheetHostDlg::CSheetHostDlg(CPropertySheetBase *sheet, QWidget *parent) : CDialogEx(parent), m_sheet(sheet)
{
    setWindowTitle(tr("Options"));
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<QRect> CSheetHostDlg::LayOutButtons(const QRect &sheet, const std::vector<QSize> &buttons)
{
    std::vector<QRect> placed;
    int right = sheet.right() + 1 - kRightInset;
    for (const QSize &size : buttons) {
        placed.emplace_back(right - size.width(), sheet.bottom() + 1, size.width(), size.height());
        right -= size.width() + kButtonGap;
    }
    return placed;
}

QSize CSheetHostDlg::ClientSizeFor(const QRect &sheet, int buttonHeight)
{
    // The sheet's distance from the left edge is kept on the right as well.
    return {sheet.right() + 1 + sheet.left(), sheet.bottom() + 1 + buttonHeight + kBottomMargin};
}

void CSheetHostDlg::Create()
{
    m_sheet->setParent(this);
    m_sheet->show();
    const QRect sheetRect(
        QPoint(kSheetMargin, kSheetMargin),
        m_sheet->sizeHint().expandedTo(m_sheet->minimumSizeHint()).expandedTo(m_sheet->minimumSize()));
    m_sheet->setGeometry(sheetRect);
    QSize buttonSize = m_ok->sizeHint().expandedTo(m_cancel->sizeHint()).expandedTo(QSize(80, 0));
    const std::vector<QRect> row = LayOutButtons(sheetRect, {buttonSize, buttonSize});
    // Cancel stands rightmost, OK to its left.
    m_cancel->setGeometry(row[0].translated(0, kBottomMargin));
    m_ok->setGeometry(row[1].translated(0, kBottomMargin));
    setFixedSize(ClientSizeFor(sheetRect, buttonSize.height() + kBottomMargin));
}
