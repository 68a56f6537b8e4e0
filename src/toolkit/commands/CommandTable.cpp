// The command table and the actions it hands out.
#include "toolkit/commands/CommandTable.h"

#include "toolkit/commands/CommandRouter.h"

#include <QAction>
#include <QCoreApplication>

CommandStrings SplitCommandString(const QString &text)
{
    CommandStrings out;
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    out.prompt = newline < 0 ? text : text.left(newline);
    if (newline >= 0)
        out.tip = text.mid(newline + 1).left(CCommandTable::kMaxTipLength);
    return out;
}

int CommandIdOf(const QAction *action)
{
    if (!action)
        return 0;
    bool ok = false;
    const int id = action->data().toInt(&ok);
    return ok ? id : 0;
}

CCommandTable::CCommandTable(CCommandRouter &router, QObject *parent) : QObject(parent), m_router(router) {}

CCommandTable::~CCommandTable() = default;

CCommandTable &CCommandTable::Instance()
{
    static CCommandTable *table = new CCommandTable(CCommandRouter::Instance(), qApp);
    return *table;
}

void CCommandTable::Add(int id, const QString &text, const QString &strings, const QKeySequence &accelerator)
{
    const CommandStrings split = SplitCommandString(strings);
    CommandInfo info{id, text, split.prompt, split.tip, accelerator};
    m_commands.insert(id, info);
    if (QAction *action = m_actions.value(id))
        ApplyInfo(action, info);
}

const CommandInfo *CCommandTable::Find(int id) const
{
    const auto it = m_commands.constFind(id);
    return it == m_commands.cend() ? nullptr : &it.value();
}

void CCommandTable::SetImages(const QList<QPixmap> &images, const QList<int> &commandIds)
{
    m_images = images;
    m_imageOfCommand.clear();
    for (qsizetype i = 0; i < commandIds.size() && i < images.size(); ++i) {
        if (commandIds[i] != kImageHole && commandIds[i] != 0)
            m_imageOfCommand.insert(commandIds[i], int(i));
    }
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setIcon(QIcon(Image(FindImage(it.key()))));
}

int CCommandTable::FindImage(int id) const
{
    return m_imageOfCommand.value(id, -1);
}

QPixmap CCommandTable::Image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images[index] : QPixmap();
}

bool CCommandTable::SetCommandImage(int id, int index)
{
    if (index < 0 || index >= m_images.size())
        return false;
    m_imageOfCommand.insert(id, index);
    if (QAction *action = m_actions.value(id))
        action->setIcon(QIcon(m_images[index]));
    return true;
}

QAction *CCommandTable::Action(int id)
{
    if (QAction *action = m_actions.value(id))
        return action;
    const auto it = m_commands.constFind(id);
    if (it == m_commands.cend())
        return nullptr;
    auto *action = new QAction(this);
    action->setData(id);
    ApplyInfo(action, it.value());
    connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    m_actions.insert(id, action);
    if (!it->accelerator.isEmpty())
        m_router.WatchAccelerators({action});
    return action;
}

void CCommandTable::ApplyInfo(QAction *action, const CommandInfo &info) const
{
    action->setText(info.text);
    action->setStatusTip(info.prompt);
    action->setToolTip(info.tip.isEmpty() ? QString(info.text).remove(QLatin1Char('&')) : info.tip);
    action->setShortcut(info.accelerator);
    const int image = FindImage(info.id);
    action->setIcon(image >= 0 ? QIcon(m_images[image]) : QIcon());
}
