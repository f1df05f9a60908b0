// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeysymMapping.h"

#include "XlibHeaders.h"

#include <xkbcommon/xkbcommon.h>

#include <type_traits>

namespace quorvex::platform::x11 {
namespace {

static_assert(std::is_same_v<Keysym, KeySym>);

constexpr Keysym kUnicodeKeysymBase = 0x01000000;

bool isLatin1Printable(char32_t c)
{
    return (c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff);
}

} // namespace

Keysym keysymFor(const Keystroke& key)
{
    if (key.kind == Keystroke::Kind::Enter) {
        return XK_Return;
    }
    if (key.character == U'\t') {
        return XK_Tab;
    }
    if (isLatin1Printable(key.character)) {
        return key.character;
    }
    return kUnicodeKeysymBase | key.character;
}

Keysym canonicalKeysym(Keysym keysym)
{
    // Function and keypad keys keep their own keysyms: Return is no character, and the keypad's "+" or "1" is not
    // the key a character is typed with (its digits want NumLock).
    if (keysym >= 0xff00 && keysym <= 0xffff) {
        return keysym;
    }
    const char32_t c = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0)) {
        return keysym;
    }
    return keysymFor(Keystroke{Keystroke::Kind::Character, c});
}

} // namespace quorvex::platform::x11
