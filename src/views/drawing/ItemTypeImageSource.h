// The image source of the owner-drawn menus and toolbars for item-type entries: image indexes from
// 4096 up are the small icon of type index - 4096; lower indexes belong to the base source.
#pragma once

#include <QPixmap>

class ITypeIconSource;
class QPainter;

class CItemTypeImageSource
{
  public:
    static constexpr int kFirstTypeImage = 4096;

    // `types` null: the type icon source registered for the painters.
    explicit CItemTypeImageSource(const ITypeIconSource *types = nullptr) : m_types(types) {}
    virtual ~CItemTypeImageSource() = default;

    // The 16 x 16 image, in the disabled look when asked; a null pixmap when there is none. A type
    // index without a type gives the default icon.
    QPixmap Image(int image, bool disabled) const;
    // Draws the image at (x, y); false when there is none.
    bool DrawImage(QPainter &painter, int image, int x, int y, bool disabled) const;

  protected:
    // Images below 4096; this source has none of its own.
    virtual QPixmap BaseImage(int image, bool disabled) const;

  private:
    const ITypeIconSource *m_types;
};
