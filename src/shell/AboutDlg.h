// CAboutDlg: the About box: the program's name, icon and version, the maker's line, a legal
// notice and the web-site link, which opens only when a press on it is released over it.
// CPressReleaseLink is that link.
#pragma once

#include "editing/base/DialogEx.h"

#include <QLabel>
#include <functional>

class CPressReleaseLink : public QLabel
{
    Q_OBJECT
  public:
    explicit CPressReleaseLink(const QString &text, QWidget *parent = nullptr);
    // What a completed click does; by default the address opens in the desktop's browser.
    void SetOpener(std::function<void()> opener) { m_opener = std::move(opener); }

  signals:
    void opened();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    std::function<void()> m_opener;
    bool m_pressed = false;
};

class CAboutDlg : public CDialogEx
{
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget *parent = nullptr);
    CPressReleaseLink *Link() const { return m_link; }
    // The address the link opens: the web site, the about page and the version.
    static QString LinkAddress();

  private:
    CPressReleaseLink *m_link = nullptr;
};

// Runs the About box: modal over a live parent, else as a window of its own that deletes
// itself when closed. Returns the dialog (null after a modal run).
CAboutDlg *ShowAboutDialog(QWidget *parent);
