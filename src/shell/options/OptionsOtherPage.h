// COptionsOtherPage: the way to the Location List.
#pragma once

#include "shell/PropertyPage.h"

#include <functional>

class QPushButton;

class COptionsOtherPage : public CPropertyPage
{
    Q_OBJECT
  public:
    // `setup` opens the Location List dialog; without it the button is disabled.
    explicit COptionsOtherPage(std::function<void(QWidget *parent)> setup, QWidget *parent = nullptr);

    QPushButton *SetupButton() const { return m_setup; }

  private:
    QPushButton *m_setup = nullptr;
};
