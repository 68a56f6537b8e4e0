// CPriorityComboDelegate: the rows of the task editor's priority combo: the priority's 14-pixel
// image (image 4 - priority of the shared small image list) 2 pixels from the left, then the
// name; selected rows in the highlight colours, disabled ones in the button shadow on the button
// face, the others in the window colours. The closed combo shows the same image beside the name.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QStyledItemDelegate>

class QComboBox;
class QPalette;

class CPriorityComboDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    static constexpr int kImageSize = 14;
    static constexpr int kImageLeft = 2;
    static constexpr int kTextGap = 4;

    struct RowColors
    {
        QColor text;
        QColor background;
        bool operator==(const RowColors &) const = default;
    };

    explicit CPriorityComboDelegate(QObject *parent = nullptr);

    // Puts the delegate on the combo and the images beside its entries, whose item data are the
    // priorities 0 (Urgent) to 4 (Lowest).
    static void Install(QComboBox &combo);

    // The image of a priority, -1 outside 0..4.
    static int ImageIndex(int priority);
    // The priority's image, cut to its 14 pixels; empty (transparent) for Normal.
    static QPixmap PriorityImage(int priority);
    static RowColors ColorsFor(const QPalette &palette, bool selected, bool enabled);
    // Where the image goes in a row: 2 pixels from the left, centred in height.
    static QRect ImageRect(const QRect &row);
    static QRect TextRect(const QRect &row);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
