// The plain client area.
#include "shell/PlaceholderArea.h"

#include "core/dates/DateFormats.h"
#include "core/document/CalendarDocument.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

ICentralArea *MakeCentralArea(CCalendarDocument &document, QWidget *parent)
{
    return new CPlaceholderArea(document, parent);
}

CPlaceholderArea::CPlaceholderArea(CCalendarDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("centralArea"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xfb, 0xfc, 0xfe));
    setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(10);
    m_title = new QLabel(this);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    m_title->setFont(big);
    m_file = new QLabel(this);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_counts = new QLabel(this);
    m_view = new QLabel(this);
    m_view->setWordWrap(true);
    QPalette grey = m_view->palette();
    grey.setColor(QPalette::WindowText, QColor(0x60, 0x66, 0x70));
    m_view->setPalette(grey);
    m_file->setPalette(grey);
    layout->addStretch(1);
    for (QLabel *label : {m_title, m_file, m_counts, m_view}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addStretch(2);
    AttachDataFile();
}

void CPlaceholderArea::AttachDataFile()
{
    if (!m_document.IsOpen()) {
        m_title->setText(tr("No data file is open"));
        m_file->setText(tr("Open a data file with File > Open, or create one with File > New."));
        m_counts->clear();
        m_view->clear();
        return;
    }
    CDataFile &file = m_document.GetDataFile();
    m_title->setText(file.GetTitle());
    m_file->setText(QDir::toNativeSeparators(file.GetPath()) + (file.IsReadOnly() ? tr("  (read-only)") : QString()));
    int events = 0, tasks = 0;
    m_document.CountItemsOfKind(1, events);
    m_document.CountItemsOfKind(2, tasks);
    const QString eventText = events == 1 ? tr("1 event") : tr("%1 events").arg(events);
    const QString taskText = tasks == 1 ? tr("1 task") : tr("%1 tasks").arg(tasks);
    m_counts->setText(eventText + QStringLiteral("  ·  ") + taskText);
    ShowView(m_kind, 0, false);
}

void CPlaceholderArea::ShowView(int kind, int, bool)
{
    m_kind = kind;
    if (!m_document.IsOpen())
        return;
    static const char *const kNames[] = {"Day", "Multi-day", "Week", "Month", "Year", "Event List", "Tasks", "Search"};
    const QString name = kind >= 1 && kind <= 8 ? QString::fromLatin1(kNames[kind - 1]) : QStringLiteral("Day");
    m_view->setText(tr("%1 view  ·  %2").arg(name, QLocale().toString(QDate::currentDate(), QLocale::LongFormat)));
}
