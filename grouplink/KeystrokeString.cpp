// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeystrokeString.h"

namespace quorvex::grouplink {

using platform::Keystroke;
namespace {

bool isTypeable(char32_t c)
{
    if (c == U'\t') {
        return true;
    }
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) {
        return false;
    }
    return !(c >= 0xd800 && c <= 0xdfff);
}

} // namespace

std::optional<std::vector<Keystroke>> parseKeystrokes(const QString& keystrokes)
{
    // A lone surrogate would come out of the conversion below as U+FFFD and be typed as that.
    for (qsizetype i = 0; i < keystrokes.size(); ++i) {
        const QChar unit = keystrokes.at(i);
        if (unit.isHighSurrogate() && i + 1 < keystrokes.size() && keystrokes.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (unit.isSurrogate()) {
            return std::nullopt;
        }
    }

    const std::u32string chars = keystrokes.toStdU32String();
    std::vector<Keystroke> keys;
    keys.reserve(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) {
        char32_t c = chars[i];
        if (c == U'~') {
            keys.push_back({Keystroke::Kind::Enter, 0});
            continue;
        }
        if (c == U'}') {
            return std::nullopt;
        }
        if (c == U'{') {
            if (i + 2 >= chars.size() || chars[i + 2] != U'}') {
                return std::nullopt;
            }
            c = chars[i + 1];
            i += 2;
        }
        if (!isTypeable(c)) {
            return std::nullopt;
        }
        keys.push_back({Keystroke::Kind::Character, c});
    }
    return keys;
}

} // namespace quorvex::grouplink
