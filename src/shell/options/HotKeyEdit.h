// CHotKeyEdit: the field that takes a hot key by having it pressed. A key pressed without a
// modifier gets Ctrl+Alt; Backspace or Delete alone clears the field.
#pragma once

#include <QLineEdit>
#include <cstdint>

class CHotKeyEdit : public QLineEdit
{
    Q_OBJECT
  public:
    explicit CHotKeyEdit(QWidget *parent = nullptr);

    std::uint16_t GetWord() const { return m_word; }
    void SetWord(std::uint16_t word);

  signals:
    void wordChanged(std::uint16_t word);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

  private:
    std::uint16_t m_word = 0;
};
