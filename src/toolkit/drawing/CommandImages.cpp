// Loading the command images and their disabled looks, and drawing them by index.
#include "toolkit/drawing/CommandImages.h"

#include "toolkit/drawing/DisabledImages.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "toolkit/style/ViewResources.h"

#include <QApplication>
#include <QPainter>

namespace {
CCommandImages *g_images = nullptr;

constexpr int kMaxImageSide = 256;
constexpr std::uint16_t kPlaceHolder = 0xFFFF;

// Cuts a strip into images `width` wide; a partial last cell is dropped.
QList<QImage> SplitStrip(const QImage &strip, QSize size)
{
    QList<QImage> images;
    if (strip.isNull() || size.width() <= 0 || strip.height() < size.height())
        return images;
    for (int x = 0; x + size.width() <= strip.width(); x += size.width())
        images.append(strip.copy(x, 0, size.width(), size.height()));
    return images;
}
} // namespace

CommandImageDescriptor CommandImageDescriptor::FromWords(const std::vector<std::uint16_t> &words,
                                                         const std::function<QString(int)> &stripPath)
{
    CommandImageDescriptor d;
    if (words.size() < 4 || words[2] < 1 || words[2] > kMaxImageSide || words[3] < 1 || words[3] > kMaxImageSide)
        return d;
    d.classicStrip = stripPath ? stripPath(words[0]) : QString();
    d.colorStrip = stripPath ? stripPath(words[1]) : QString();
    d.imageSize = QSize(words[2], words[3]);
    for (std::size_t i = 4; i < words.size() && words[i] != 0; ++i)
        d.commands.push_back(words[i] == kPlaceHolder ? 0 : int(words[i]));
    return d;
}

CommandImageDescriptor CommandImageDescriptor::Standard()
{
    CommandImageDescriptor d;
    d.classicStrip = QString::fromLatin1(kCommandImagesClassicPath);
    d.colorStrip = QString::fromLatin1(kCommandImagesPath);
    d.imageSize = QSize(16, 16);
    d.commands = {kCmdFileNew,   kCmdFileOpen,  kCmdFileSave,  kCmdFilePrint, kCmdPrintPreview, kCmdEditCut,
                  kCmdEditCopy, kCmdEditPaste, kCmdEditUndo, kCmdEditClear, kCmdAppAbout};
    return d;
}

CCommandImages &CCommandImages::Instance()
{
    if (!g_images) {
        InitViewResources();
        g_images = new CCommandImages;
        g_images->Load(CommandImageDescriptor::Standard(), 0xFF00FF);
        qAddPostRoutine([] {
            delete g_images;
            g_images = nullptr;
        });
    }
    return *g_images;
}

bool CCommandImages::Load(const CommandImageDescriptor &descriptor, COLORREF mask)
{
    return Load(descriptor, mask, CMenuLook::Instance());
}

bool CCommandImages::Load(const CommandImageDescriptor &descriptor, COLORREF mask, const CMenuLook &look)
{
    m_normal.clear();
    m_second.clear();
    m_commands.clear();
    if (!descriptor.IsValid())
        return false;
    InitViewResources();
    if (GetDisplayColorCount() > 256) {
        for (QImage image : SplitStrip(QImage(descriptor.colorStrip), descriptor.imageSize)) {
            image = image.convertToFormat(QImage::Format_ARGB32);
            m_normal.append(QPixmap::fromImage(image));
            MakeGreyAlphaBitmap(image, 3.0);
            m_second.append(QPixmap::fromImage(image));
        }
    }
    if (m_normal.isEmpty()) {
        // The disabled look leans towards the idle bar's colour.
        const COLORREF tint = LightenColor(115, GetItemGradientColors(true, 0, look).first);
        for (QImage image : SplitStrip(QImage(descriptor.classicStrip), descriptor.imageSize)) {
            image = image.convertToFormat(QImage::Format_ARGB32);
            QImage second = image;
            ApplyColorKey(image, mask);
            m_normal.append(QPixmap::fromImage(image));
            const COLORREF secondMask = MakeDisabledBitmap(second, 110, tint, 0xFF000000);
            ApplyColorKey(second, secondMask);
            m_second.append(QPixmap::fromImage(second));
        }
    }
    if (m_normal.isEmpty())
        return false;
    m_commands.assign(std::size_t(m_normal.size()), 0);
    for (std::size_t i = 0; i < m_commands.size() && i < descriptor.commands.size(); ++i)
        m_commands[i] = descriptor.commands[i];
    return true;
}

int CCommandImages::FindImage(int command) const
{
    if (command == 0)
        return -1;
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        if (m_commands[i] == command)
            return int(i);
    }
    return -1;
}

QSize CCommandImages::GetImageSize() const
{
    return m_normal.isEmpty() ? QSize(0, 0) : m_normal.front().size();
}

bool CCommandImages::Draw(const QList<QPixmap> &images, QPainter &painter, int index, int x, int y, int style) const
{
    if (index < 0 || index >= images.size())
        return false;
    DrawStyledPixmap(painter, x, y, images[index], style);
    return true;
}

bool CCommandImages::DrawNormal(QPainter &painter, int index, int x, int y, int style) const
{
    return Draw(m_normal, painter, index, x, y, style);
}

bool CCommandImages::DrawSecond(QPainter &painter, int index, int x, int y, int style) const
{
    return Draw(m_second, painter, index, x, y, style);
}
