// A message port that records every box instead of showing it and answers with a chosen
// button; installed for the life of the object.
#pragma once

#include "core/system/Messages.h"

#include <QList>
#include <functional>

class FakeMessagePort : public IMessagePort
{
  public:
    FakeMessagePort() { SetMessagePort(this); }
    ~FakeMessagePort() override { SetMessagePort(nullptr); }
    FakeMessagePort(const FakeMessagePort &) = delete;
    FakeMessagePort &operator=(const FakeMessagePort &) = delete;

    int ShowMessageBox(const MessageBoxRequest &request) override
    {
        shown.append(request);
        if (onShow)
            onShow(request);
        return answer;
    }
    void Beep() override { ++beeps; }

    QString LastText() const { return shown.isEmpty() ? QString() : shown.last().text; }

    QList<MessageBoxRequest> shown;
    int beeps = 0;
    int answer = MessageResult::Ok;
    std::function<void(const MessageBoxRequest &)> onShow; // runs while the box is "up"
};
