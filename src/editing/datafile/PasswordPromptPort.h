// The document's password question answered by the password prompt dialog.
#pragma once

#include "core/document/PasswordPrompt.h"

class QWidget;

class CPasswordPromptPort : public IPasswordPrompt
{
  public:
    explicit CPasswordPromptPort(QWidget *parent = nullptr) : m_parent(parent) {}
    int PromptPassword(CDataFile &file, const QString &path, const QString &calendarName) override;

  private:
    QWidget *m_parent;
};
