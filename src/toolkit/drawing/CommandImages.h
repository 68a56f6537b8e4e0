// The command-image table: the images of the program's commands, looked up by command id, each
// with a generated disabled look. Menus, the menu bar and the toolbars draw from one instance.
#pragma once

#include "core/lists/ColorRules.h"

#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;
class CMenuLook;

// Which strips to load and which command each image belongs to.
struct CommandImageDescriptor
{
    QString classicStrip; // keyed on the mask colour
    QString colorStrip;   // with an alpha channel
    QSize imageSize;
    std::vector<int> commands; // in image order; 0 holds a place without a command

    // The word form: classic strip id, colour strip id, width, height, then command ids ending with
    // 0 (0xFFFF holds a place). Strip ids become paths through `stripPath`. Empty when the words
    // are too few or the size is not 1 to 256 pixels each way.
    static CommandImageDescriptor FromWords(const std::vector<std::uint16_t> &words,
                                            const std::function<QString(int)> &stripPath);
    // The program's standard command images (file, print and edit commands).
    static CommandImageDescriptor Standard();
    bool IsValid() const { return imageSize.isValid() && !imageSize.isEmpty(); }
};

// Command ids of the standard images.
enum StandardCommandId : int
{
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileSave = 57603,
    kCmdFilePrint = 57607,
    kCmdPrintPreview = 32900,
    kCmdEditCut = 57635,
    kCmdEditCopy = 57634,
    kCmdEditPaste = 57637,
    kCmdEditUndo = 57643,
    kCmdEditClear = 57632,
    kCmdAppAbout = 57664,
};

class CCommandImages
{
  public:
    // The program-wide table, loaded with the standard images on first use.
    static CCommandImages &Instance();

    CCommandImages() = default;
    virtual ~CCommandImages() = default;

    // Loads the images: the colour strip above 256 colours (disabled images greyed with faded
    // alpha), else, or when it cannot be read, the classic strip keyed on `mask` (disabled images
    // tinted towards the look's bar colour). False when neither strip loads.
    virtual bool Load(const CommandImageDescriptor &descriptor, COLORREF mask, const CMenuLook &look);
    bool Load(const CommandImageDescriptor &descriptor, COLORREF mask);
    // The image index of a command, -1 when it has none.
    virtual int FindImage(int command) const;
    // The size of one image; empty when nothing is loaded.
    QSize GetImageSize() const;
    int GetImageCount() const { return int(m_normal.size()); }
    // Draw image `index` (normal or disabled look) at (x, y) in an image-list style; false, drawing
    // nothing, for an index outside the table.
    virtual bool DrawNormal(QPainter &painter, int index, int x, int y, int style) const;
    virtual bool DrawSecond(QPainter &painter, int index, int x, int y, int style) const;

    const QList<QPixmap> &NormalImages() const { return m_normal; }
    const QList<QPixmap> &SecondImages() const { return m_second; }

  private:
    bool Draw(const QList<QPixmap> &images, QPainter &painter, int index, int x, int y, int style) const;

    QList<QPixmap> m_normal;
    QList<QPixmap> m_second;
    std::vector<int> m_commands;
};
