// Hot-key words to and from Qt keys.
#include "shell/options/HotKeyCodec.h"

#include <QKeySequence>

namespace {

struct KeyPair
{
    std::uint8_t vk;
    int qtKey;
    bool extended; // the keys of the navigation block, apart from the number pad
};

constexpr KeyPair kKeys[] = {
    {0x08, Qt::Key_Backspace, false},   {0x09, Qt::Key_Tab, false},       {0x0D, Qt::Key_Return, false},
    {0x13, Qt::Key_Pause, false},       {0x1B, Qt::Key_Escape, false},    {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, true},       {0x22, Qt::Key_PageDown, true},   {0x23, Qt::Key_End, true},
    {0x24, Qt::Key_Home, true},         {0x25, Qt::Key_Left, true},       {0x26, Qt::Key_Up, true},
    {0x27, Qt::Key_Right, true},        {0x28, Qt::Key_Down, true},       {0x2C, Qt::Key_Print, true},
    {0x2D, Qt::Key_Insert, true},       {0x2E, Qt::Key_Delete, true},     {0xBA, Qt::Key_Semicolon, false},
    {0xBB, Qt::Key_Equal, false},       {0xBC, Qt::Key_Comma, false},     {0xBD, Qt::Key_Minus, false},
    {0xBE, Qt::Key_Period, false},      {0xBF, Qt::Key_Slash, false},     {0xC0, Qt::Key_QuoteLeft, false},
    {0xDB, Qt::Key_BracketLeft, false}, {0xDC, Qt::Key_Backslash, false}, {0xDD, Qt::Key_BracketRight, false},
    {0xDE, Qt::Key_Apostrophe, false},
};

// The number pad's own codes.
constexpr KeyPair kPadKeys[] = {
    {0x6A, Qt::Key_Asterisk, false}, {0x6B, Qt::Key_Plus, false},  {0x6D, Qt::Key_Minus, false},
    {0x6E, Qt::Key_Period, false},   {0x6F, Qt::Key_Slash, false},
};

} // namespace

std::uint16_t CHotKeyCodec::FromKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    std::uint16_t flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= kShift;
    if (modifiers & Qt::ControlModifier)
        flags |= kControl;
    if (modifiers & Qt::AltModifier)
        flags |= kAlt;
    const bool keypad = modifiers & Qt::KeypadModifier;
    int vk = 0;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        vk = qtKey; // the same codes
    else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        vk = keypad ? 0x60 + (qtKey - Qt::Key_0) : qtKey;
    else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        vk = 0x70 + (qtKey - Qt::Key_F1);
    else {
        if (keypad)
            for (const KeyPair &pair : kPadKeys)
                if (pair.qtKey == qtKey)
                    vk = pair.vk;
        if (vk == 0)
            for (const KeyPair &pair : kKeys)
                if (pair.qtKey == qtKey) {
                    vk = pair.vk;
                    if (pair.extended && !keypad)
                        flags |= kExtended;
                    break;
                }
    }
    return vk == 0 ? 0 : std::uint16_t(flags | vk);
}

std::uint16_t CHotKeyCodec::WithDefaultModifiers(std::uint16_t word)
{
    if (word == 0 || (word & (kShift | kControl | kAlt)) != 0)
        return word;
    return std::uint16_t(word | kControl | kAlt);
}

int CHotKeyCodec::QtKeyOf(std::uint8_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= 0x60 && vk <= 0x69)
        return Qt::Key_0 + (vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87)
        return Qt::Key_F1 + (vk - 0x70);
    for (const KeyPair &pair : kPadKeys)
        if (pair.vk == vk)
            return pair.qtKey;
    for (const KeyPair &pair : kKeys)
        if (pair.vk == vk)
            return pair.qtKey;
    return 0;
}

QString CHotKeyCodec::ToText(std::uint16_t word)
{
    const int key = QtKeyOf(std::uint8_t(word & 0xFF));
    if (word == 0 || key == 0)
        return QStringLiteral("None");
    int combo = key;
    if (word & kShift)
        combo |= Qt::SHIFT;
    if (word & kControl)
        combo |= Qt::CTRL;
    if (word & kAlt)
        combo |= Qt::ALT;
    QString text = QKeySequence(combo).toString(QKeySequence::NativeText);
    const std::uint8_t vk = std::uint8_t(word & 0xFF);
    if ((vk >= 0x60 && vk <= 0x6F) && vk != 0x6C)
        text = text.left(text.size() - QKeySequence(key).toString(QKeySequence::NativeText).size()) +
               QStringLiteral("Num ") + QKeySequence(key).toString(QKeySequence::NativeText);
    return text;
}
