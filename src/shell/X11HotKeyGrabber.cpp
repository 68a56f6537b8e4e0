// X11 key grabs for the global hot keys.
#include "shell/X11HotKeyGrabber.h"

#include <QGuiApplication>

#ifdef TESSIVO_HAVE_XCB
#include <xcb/xcb.h>
#include <cstdlib>
#endif

unsigned VirtualKeyToKeysym(unsigned vk)
{
    if (vk >= '0' && vk <= '9')
        return vk;
    if (vk >= 'A' && vk <= 'Z')
        return vk - 'A' + 'a';
    if (vk >= 0x70 && vk <= 0x87) // F1..F24
        return 0xFFBE + (vk - 0x70);
    if (vk >= 0x60 && vk <= 0x69) // number pad 0..9
        return 0xFFB0 + (vk - 0x60);
    switch (vk) {
    case 0x08: return 0xFF08; // Backspace
    case 0x09: return 0xFF09; // Tab
    case 0x0D: return 0xFF0D; // Return
    case 0x13: return 0xFF13; // Pause
    case 0x1B: return 0xFF1B; // Escape
    case 0x20: return 0x20;   // Space
    case 0x21: return 0xFF55; // Page Up
    case 0x22: return 0xFF56; // Page Down
    case 0x23: return 0xFF57; // End
    case 0x24: return 0xFF50; // Home
    case 0x25: return 0xFF51; // Left
    case 0x26: return 0xFF52; // Up
    case 0x27: return 0xFF53; // Right
    case 0x28: return 0xFF54; // Down
    case 0x2D: return 0xFF63; // Insert
    case 0x2E: return 0xFFFF; // Delete
    case 0x6A: return 0xFFAA; // number pad *
    case 0x6B: return 0xFFAB; // number pad +
    case 0x6D: return 0xFFAD; // number pad -
    case 0x6E: return 0xFFAE; // number pad .
    case 0x6F: return 0xFFAF; // number pad /
    case 0xBA: return ';';
    case 0xBB: return '=';
    case 0xBC: return ',';
    case 0xBD: return '-';
    case 0xBE: return '.';
    case 0xBF: return '/';
    case 0xC0: return '`';
    case 0xDB: return '[';
    case 0xDC: return '\\';
    case 0xDD: return ']';
    case 0xDE: return '\'';
    default: return 0;
    }
}

CX11HotKeyGrabber::CX11HotKeyGrabber(QObject *parent) : QObject(parent)
{
#ifdef TESSIVO_HAVE_XCB
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        auto *connection = x11->connection();
        if (connection) {
            const xcb_setup_t *setup = xcb_get_setup(connection);
            xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
            if (screens.rem > 0) {
                m_connection = connection;
                m_root = screens.data->root;
                qGuiApp->installNativeEventFilter(this);
            }
        }
    }
#endif
}

CX11HotKeyGrabber::~CX11HotKeyGrabber()
{
    for (const Grabbed &g : std::vector<Grabbed>(m_grabs))
        Release(g.id, {});
    if (m_connection && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool CX11HotKeyGrabber::IsAvailable() const
{
    return m_connection != nullptr;
}

bool CX11HotKeyGrabber::ComboToKey(const HotKeyCombo &combo, unsigned &keycode, unsigned &modifiers) const
{
#ifdef TESSIVO_HAVE_XCB
    auto *c = static_cast<xcb_connection_t *>(m_connection);
    const unsigned keysym = VirtualKeyToKeysym(combo.keyCode);
    if (!c || keysym == 0)
        return false;
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *reply =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    if (!reply)
        return false;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int per = reply->keysyms_per_keycode;
    keycode = 0;
    for (int i = 0; i < count && keycode == 0; ++i)
        for (int j = 0; j < per; ++j)
            if (syms[i * per + j] == keysym) {
                keycode = setup->min_keycode + i;
                break;
            }
    std::free(reply);
    modifiers = (combo.shift ? XCB_MOD_MASK_SHIFT : 0) | (combo.control ? XCB_MOD_MASK_CONTROL : 0) |
                (combo.alt ? XCB_MOD_MASK_1 : 0);
    return keycode != 0;
#else
    Q_UNUSED(combo);
    Q_UNUSED(keycode);
    Q_UNUSED(modifiers);
    return false;
#endif
}

#ifdef TESSIVO_HAVE_XCB
namespace {
// Caps Lock and Num Lock must not stop a hot key: the key is grabbed with each of them too.
constexpr unsigned kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
} // namespace
#endif

bool CX11HotKeyGrabber::Grab(int id, const HotKeyCombo &combo)
{
#ifdef TESSIVO_HAVE_XCB
    unsigned keycode = 0, modifiers = 0;
    if (!ComboToKey(combo, keycode, modifiers))
        return false;
    auto *c = static_cast<xcb_connection_t *>(m_connection);
    bool refused = false;
    for (unsigned extra : kLockVariants) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(c, 1, m_root, uint16_t(modifiers | extra), xcb_keycode_t(keycode),
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    if (refused) {
        for (unsigned extra : kLockVariants)
            xcb_ungrab_key(c, xcb_keycode_t(keycode), m_root, uint16_t(modifiers | extra));
        xcb_flush(c);
        return false;
    }
    m_grabs.push_back({id, keycode, modifiers});
    return true;
#else
    Q_UNUSED(id);
    Q_UNUSED(combo);
    return false;
#endif
}

void CX11HotKeyGrabber::Release(int id, const HotKeyCombo &)
{
#ifdef TESSIVO_HAVE_XCB
    auto *c = static_cast<xcb_connection_t *>(m_connection);
    for (auto it = m_grabs.begin(); it != m_grabs.end();) {
        if (it->id == id) {
            for (unsigned extra : kLockVariants)
                xcb_ungrab_key(c, xcb_keycode_t(it->keycode), m_root, uint16_t(it->modifiers | extra));
            it = m_grabs.erase(it);
        } else {
            ++it;
        }
    }
    if (c)
        xcb_flush(c);
#else
    Q_UNUSED(id);
#endif
}

bool CX11HotKeyGrabber::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#ifdef TESSIVO_HAVE_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
    const unsigned relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    for (const Grabbed &g : m_grabs)
        if (g.keycode == key->detail && g.modifiers == (key->state & relevant)) {
            emit HotKeyPressed(g.id);
            return true;
        }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
