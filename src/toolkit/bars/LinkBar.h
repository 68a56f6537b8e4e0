// A narrow bar with two links at its right end: the program's web address and "Send a comment".
// A clicked link runs its command through the command route.
#pragma once

#include <QWidget>

class CCommandRouter;
class QLabel;

class CLinkBar : public QWidget
{
    Q_OBJECT
  public:
    static constexpr int kCmdWebAddress = 32820;
    static constexpr int kCmdSendComment = 34729;

    // `router` may be null: the links then only signal.
    explicit CLinkBar(CCommandRouter *router, QWidget *parent = nullptr);

    // The link font: the status-bar font at 8 point, underlined; with the hand cursor.
    void InitLinks(bool withFont);
    QLabel *Link(int command) const;

  signals:
    void linkActivated(int command);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void Relayout();

    CCommandRouter *m_router;
    QLabel *m_web = nullptr;
    QLabel *m_comment = nullptr;
};
