// Narrow framed boxes painted as one copy each. A busy day column holds thousands of boxes a few
// pixels wide; filling the frame and then the inside costs a fill set-up per row, twice over,
// while copying a kept image of the same box costs one row copy, and leaves the same pixels.
#pragma once

#include <QImage>
#include <QRgb>
#include <cstddef>
#include <unordered_map>

class QColor;
class QPainter;
class QRect;

class CFramedBoxStamps
{
  public:
    // Boxes wider than this gain nothing from the copy: their fills are long runs already.
    static constexpr int kWidestStamp = 32;
    // Kept images are dropped all at once past this many bytes.
    static constexpr std::size_t kByteBudget = 8u << 20;

    // Paints what painter.fillRect(box, frame) and then painter.fillRect(box.adjusted(1, 1, -1, -1),
    // inside) paint, and returns true; returns false having painted nothing wherever the copy
    // could differ from those fills or gains nothing, so the caller fills as usual.
    bool Draw(QPainter &painter, const QRect &box, const QColor &frame, const QColor &inside);

    void Clear();
    int Size() const { return static_cast<int>(m_images.size()); }

  private:
    struct Key
    {
        int width, height;
        QRgb frame, inside;
        bool operator==(const Key &) const = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key &k) const noexcept;
    };

    static bool CanCopy(const QPainter &painter);

    std::unordered_map<Key, QImage, KeyHash> m_images;
    std::size_t m_bytes = 0;
};
