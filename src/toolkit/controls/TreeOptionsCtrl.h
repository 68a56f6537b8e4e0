// CTreeOptionsCtrl: a tree whose items are option groups, check boxes and radio buttons drawn as
// item images; an item's whole state is its image index, so the tree keeps no records of its own.
#pragma once

#include <QList>
#include <QPixmap>
#include <QTreeWidget>

class CTreeOptionsCtrl : public QTreeWidget
{
    Q_OBJECT
  public:
    static constexpr int kToggledCode = -5;
    // Image indexes: check boxes and radio buttons, enabled and disabled; others are groups.
    enum Image : int
    {
        kCheckOn = 0,
        kCheckOff = 1,
        kRadioOn = 2,
        kRadioOff = 3,
        kCheckOnDisabled = 4,
        kCheckOffDisabled = 5,
        kRadioOnDisabled = 6,
        kRadioOffDisabled = 7,
        kImageCount = 13,
    };
    static constexpr const char *kImagesPath = ":/controls/treeoptions.bmp";

    static constexpr bool IsCheckImage(int image)
    {
        return image == 0 || image == 1 || image == 4 || image == 5;
    }
    static constexpr bool IsRadioImage(int image) { return image >= 2 && image <= 7 && !IsCheckImage(image); }
    static constexpr bool IsEnabledCheckImage(int image) { return image == 0 || image == 1; }
    static constexpr bool IsEnabledRadioImage(int image) { return image == 2 || image == 3; }
    static constexpr bool IsSelectedRadioImage(int image) { return image == 2 || image == 6; }

    explicit CTreeOptionsCtrl(QWidget *parent = nullptr);

    // Appends an item with the image as the last child of `parent` (null: at the top).
    QTreeWidgetItem *InsertGroup(const QString &text, int image, QTreeWidgetItem *parent);
    QTreeWidgetItem *InsertCheckBox(const QString &text, QTreeWidgetItem *parent, bool checked);

    static int GetImage(const QTreeWidgetItem *item);
    void SetImage(QTreeWidgetItem *item, int image);

    void SetCheck(QTreeWidgetItem *item, bool checked);
    bool GetCheck(const QTreeWidgetItem *item) const;
    // Keeps the check state.
    void EnableCheckBox(QTreeWidgetItem *item, bool enable);
    // The item becomes the selected radio button; every other enabled radio sibling is cleared,
    // every other radio sibling shown unselected, disabled ones staying disabled.
    void SelectRadio(QTreeWidgetItem *item);

    // What a click or the space bar does to an item; true when it acted.
    bool Activate(QTreeWidgetItem *item);

  signals:
    // The user toggled a check box.
    void optionToggled(QTreeWidgetItem *item);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    QList<QPixmap> m_images;
};

// Dialog data exchange of a check item: saving reads the check state into `value`, loading
// sets it from `value`.
void DDX_TreeOptionsCheck(bool saving, CTreeOptionsCtrl &tree, QTreeWidgetItem *item, int &value);
