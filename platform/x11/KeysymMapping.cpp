// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeysymMapping.h"

#include <X11/X.h>
#include <X11/keysym.h>

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
    if ((keysym & 0xff000000) == kUnicodeKeysymBase) {
        const auto c = static_cast<char32_t>(keysym & 0x00ffffff);
        if (isLatin1Printable(c)) {
            return c;
        }
    }
    return keysym;
}

} // namespace quorvex::platform::x11
