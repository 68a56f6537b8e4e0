// The program's flat toolbar: command buttons from the command table with images from its own
// strip (faded images for disabled buttons), child controls that hide while docked vertically,
// and drop-down menus opened under a button that close when the pointer reaches another button.
#pragma once

#include "toolkit/bars/ToolbarImages.h"

#include <QPointer>
#include <QToolBar>

class CCommandTable;
class QMenu;
class QToolButton;

class CToolBarEx : public QToolBar
{
    Q_OBJECT
  public:
    // The borders of a docked bar, left and right, top and bottom; a floating bar has none.
    static constexpr int kBorderHorizontal = 3;
    static constexpr int kBorderVertical = 1;

    explicit CToolBarEx(CCommandTable &table, const QString &title = {}, QWidget *parent = nullptr);

    // Lays out the buttons: command ids in order, 0 for a separator. The n-th button takes the
    // n-th image of the strip loaded by SetImageBitmap.
    void LoadToolBar(const QList<int> &commands);
    // Loads the images from a strip of `imageSize` cells; mask kMaskTopLeft takes the strip's
    // top-left pixel. Returns the number of images (0 for an empty strip).
    int SetImageBitmap(const QImage &strip, QSize imageSize, COLORREF mask = ToolbarImages::kMaskTopLeft);
    const ToolbarImages &Images() const { return m_images; }
    // Adds a button with an action of its own for a command, so that this bar alone can hide it.
    QAction *AddOwnCommand(int id);
    // Adds a child control on a placeholder after the buttons.
    QAction *AddControl(QWidget *control);

    // Opens a menu under a command's button; the button shows pressed-open meanwhile. False when
    // there is no menu or no such button.
    bool TrackDropDown(int command, QMenu *menu);
    // The button of a command, null when the toolbar has none.
    QToolButton *Button(int command) const;
    // The command whose drop-down is open, 0 when none.
    int OpenDropDown() const { return m_openDropDown; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void ApplyImages();
    void OrientationChanged(Qt::Orientation orientation);
    void ApplyBorders(bool floating);

    CCommandTable &m_table;
    ToolbarImages m_images;
    QPointer<QMenu> m_dropDown;
    int m_openDropDown = 0;
};
