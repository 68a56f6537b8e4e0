// The program's one command table: each numeric command id with its text, accelerator, status
// prompt, tooltip and image, and the one QAction that menus, toolbars and accelerators share.
#pragma once

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>

class QAction;
class CCommandRouter;

// The texts of one command.
struct CommandInfo
{
    int id = 0;
    QString text;     // menu text with "&" before the mnemonic
    QString prompt;   // status-bar prompt
    QString tip;      // tooltip, at most kMaxTipLength characters
    QKeySequence accelerator;
};

// A command string "prompt\ntip" split in its two lines; the tip is cut to kMaxTipLength.
struct CommandStrings
{
    QString prompt;
    QString tip;
};
CommandStrings SplitCommandString(const QString &text);

class CCommandTable : public QObject
{
    Q_OBJECT
  public:
    static constexpr int kMaxTipLength = 80;
    // Marks an image place that belongs to no command.
    static constexpr int kImageHole = 0xFFFF;

    // Actions run their command through the router.
    explicit CCommandTable(CCommandRouter &router, QObject *parent = nullptr);
    ~CCommandTable() override;

    // The program's table, routed through the program's router.
    static CCommandTable &Instance();

    // Adds or replaces a command. `strings` is "prompt\ntip" (the tip may be missing).
    void Add(int id, const QString &text, const QString &strings = {}, const QKeySequence &accelerator = {});
    bool Contains(int id) const { return m_commands.contains(id); }
    // Null for an unknown id.
    const CommandInfo *Find(int id) const;

    // The command images: one image per place, with the commands in image order (kImageHole
    // holds a place without a command).
    void SetImages(const QList<QPixmap> &images, const QList<int> &commandIds);
    int ImageCount() const { return int(m_images.size()); }
    // The image index of a command, -1 when it has none.
    int FindImage(int id) const;
    // The image at an index; null outside the list.
    QPixmap Image(int index) const;
    // Gives a command another image; false (nothing changed) when the index is outside the list.
    bool SetCommandImage(int id, int index);

    // The one action of a command, made on first use; null for an unknown id. Its data is the id.
    QAction *Action(int id);
    // Every action made so far.
    QList<QAction *> Actions() const { return m_actions.values(); }
    CCommandRouter &Router() const { return m_router; }

  private:
    void ApplyInfo(QAction *action, const CommandInfo &info) const;

    CCommandRouter &m_router;
    QHash<int, CommandInfo> m_commands;
    QHash<int, QAction *> m_actions;
    QList<QPixmap> m_images;
    QHash<int, int> m_imageOfCommand;
};

// The command id an action carries, 0 when it carries none.
int CommandIdOf(const QAction *action);
