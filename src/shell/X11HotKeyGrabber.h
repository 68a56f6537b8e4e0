// CX11HotKeyGrabber: global hot keys as key grabs on the root window of the X connection Qt
// already has. On any other platform (Wayland, offscreen) hot keys are unavailable.
#pragma once

#include "shell/HotKeySet.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <functional>
#include <vector>

class CX11HotKeyGrabber : public QObject, public IHotKeyGrabber, public QAbstractNativeEventFilter
{
    Q_OBJECT

  public:
    explicit CX11HotKeyGrabber(QObject *parent = nullptr);
    ~CX11HotKeyGrabber() override;

    bool IsAvailable() const override;
    bool Grab(int id, const HotKeyCombo &combo) override;
    void Release(int id, const HotKeyCombo &combo) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

  signals:
    void HotKeyPressed(int id);

  private:
    struct Grabbed
    {
        int id;
        unsigned keycode;
        unsigned modifiers;
    };
    bool ComboToKey(const HotKeyCombo &combo, unsigned &keycode, unsigned &modifiers) const;

    void *m_connection = nullptr; // xcb_connection_t
    unsigned m_root = 0;
    std::vector<Grabbed> m_grabs;
};

// The X key symbol of a key code in the system's virtual-key numbering; 0 when none.
unsigned VirtualKeyToKeysym(unsigned virtualKey);
