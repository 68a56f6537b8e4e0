// The Change Icon dialog.
#include "editing/types/ChangeIconDlg.h"

#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "core/system/ProgramPaths.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/EditingStrings.h"
#include "editing/types/IconSource.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

namespace {

// "Icon Files|*.ico; ...||" as the file dialog's filter list.
QString FileDialogFilter()
{
    const QStringList parts = EditingText(EditText::IconFileFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.simplified());
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

CChangeIconDlg::CChangeIconDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChangeIconDlg"));
    setWindowTitle(tr("Change Icon"));
    ApplyReadingOrder(this);
    auto *grid = new QGridLayout(this);
    auto *fileLabel = new QLabel(tr("&File name:"), this);
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("fileName"));
    m_fileName->setReadOnly(true);
    fileLabel->setBuddy(m_fileName);
    auto *browse = new QPushButton(tr("&Browse..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    auto *iconsLabel = new QLabel(tr("Current &icon:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("icons"));
    iconsLabel->setBuddy(m_list);
    // Rows of 24-pixel cells filled column by column, scrolled sideways.
    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(true);
    m_list->setMovement(QListView::Static);
    m_list->setIconSize(QSize(CIconSource::kSmall, CIconSource::kSmall));
    m_list->setGridSize(QSize(24, 24));
    m_list->setSpacing(0);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setFixedSize(340, 100 + m_list->horizontalScrollBar()->sizeHint().height());
    auto *buttons = MakeOkCancel(this);
    grid->addWidget(fileLabel, 0, 0, 1, 2);
    grid->addWidget(m_fileName, 1, 0);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(iconsLabel, 2, 0, 1, 2);
    grid->addWidget(m_list, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);
    connect(browse, &QPushButton::clicked, this, &CChangeIconDlg::Browse);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    FillFrom(CIconSource::DefaultSource());
}

bool CChangeIconDlg::FillFrom(const QString &path)
{
    const std::vector<QImage> images = CIconSource::SmallImages(path);
    if (images.empty())
        return false;
    m_path = path;
    m_fileName->setText(CIconSource::DisplayName(path));
    m_list->clear();
    for (std::size_t i = 0; i < images.size(); ++i) {
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(images[i])), QString(), m_list);
        item->setData(Qt::UserRole, int(i) + 1);
        item->setSizeHint(QSize(24, 24));
    }
    m_list->setCurrentRow(0);
    return true;
}

int CChangeIconDlg::IconCount() const
{
    return m_list->count();
}

void CChangeIconDlg::SelectIcon(int index)
{
    m_list->setCurrentRow(index);
}

void CChangeIconDlg::Browse()
{
    QString start;
    if (!GetProgramFolder(QStringLiteral("Icons"), QString(), start) || !DirectoryExists(start))
        start.clear();
    const QString file = QFileDialog::getOpenFileName(this, tr("Browse"), start, FileDialogFilter());
    if (!file.isEmpty())
        TakeBrowsedFile(file);
}

void CChangeIconDlg::TakeBrowsedFile(const QString &file)
{
    if (!FillFrom(file))
        ShowWarningText(PrintfText(EditingText(EditText::NoIconsInFile), {QDir::toNativeSeparators(file)}),
                        this);
}

void CChangeIconDlg::accept()
{
    QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        if (IMessagePort *port = GetMessagePort())
            port->Beep();
        else
            QApplication::beep();
        return;
    }
    m_index = item->data(Qt::UserRole).toInt() - 1;
    QDialog::accept();
}
