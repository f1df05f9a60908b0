// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextKeymap.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <map>
#include <set>

namespace quorvex::platform::wayland {

namespace {

// XKB key codes are evdev codes plus 8; evdev code 0 means no key.
constexpr std::uint32_t kEvdevOffset = 8;
constexpr std::uint32_t kFirstKeycode = kEvdevOffset + 1;

std::optional<xkb_keysym_t> keysymOf(const Keystroke& key)
{
    if (key.kind == Keystroke::Kind::Enter) {
        return XKB_KEY_Return;
    }
    // A control character would reach the room as a control code, not as a character (tab is a key of its own);
    // a surrogate is half of a character.
    const char32_t c = key.character;
    if ((c < 0x20 && c != U'\t') || (c >= 0x7f && c <= 0x9f) || (c >= 0xd800 && c <= 0xdfff)) {
        return std::nullopt;
    }
    const xkb_keysym_t keysym = xkb_utf32_to_keysym(c);
    if (keysym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    return keysym;
}

std::string keysymName(xkb_keysym_t keysym)
{
    std::array<char, 64> name{};
    const int length = xkb_keysym_get_name(keysym, name.data(), name.size());
    return length > 0 ? std::string(name.data()) : std::string();
}

// Keycodes numbered from kFirstKeycode in the order their characters first appear.
TextKeymap buildKeymap(std::span<const xkb_keysym_t> keysyms)
{
    std::map<xkb_keysym_t, std::uint32_t> keycodes;
    std::vector<xkb_keysym_t> byKeycode;
    TextKeymap result;
    result.keys.reserve(keysyms.size());
    for (const xkb_keysym_t keysym : keysyms) {
        auto [found, added] = keycodes.try_emplace(keysym, kFirstKeycode + static_cast<std::uint32_t>(keycodes.size()));
        if (added) {
            byKeycode.push_back(keysym);
        }
        result.keys.push_back(found->second - kEvdevOffset);
    }

    const std::uint32_t last = kFirstKeycode + static_cast<std::uint32_t>(byKeycode.size()) - 1;
    std::string& text = result.keymap;
    text += "xkb_keymap {\nxkb_keycodes \"quorvex\" {\n    minimum = 8;\n    maximum = ";
    text += std::to_string(std::max<std::uint32_t>(last, kFirstKeycode)) + ";\n";
    for (std::uint32_t keycode = kFirstKeycode; keycode <= last; ++keycode) {
        text += "    <K" + std::to_string(keycode) + "> = " + std::to_string(keycode) + ";\n";
    }
    text += "};\nxkb_types \"quorvex\" {\n    type \"ONE_LEVEL\" {\n        modifiers = none;\n"
            "        level_name[Level1] = \"Any\";\n    };\n};\n"
            "xkb_compatibility \"quorvex\" {\n};\nxkb_symbols \"quorvex\" {\n";
    for (std::uint32_t keycode = kFirstKeycode; keycode <= last; ++keycode) {
        text += "    key <K" + std::to_string(keycode) + "> { type = \"ONE_LEVEL\", [ " +
                keysymName(byKeycode[keycode - kFirstKeycode]) + " ] };\n";
    }
    text += "};\n};\n";
    return result;
}

} // namespace

std::optional<std::vector<TextKeymap>> keymapsForText(std::span<const Keystroke> keys)
{
    std::vector<xkb_keysym_t> keysyms;
    keysyms.reserve(keys.size());
    for (const Keystroke& key : keys) {
        const std::optional<xkb_keysym_t> keysym = keysymOf(key);
        if (!keysym || keysymName(*keysym).empty()) {
            return std::nullopt;
        }
        keysyms.push_back(*keysym);
    }

    std::vector<TextKeymap> keymaps;
    std::size_t runStart = 0;
    std::set<xkb_keysym_t> distinct;
    for (std::size_t i = 0; i <= keysyms.size(); ++i) {
        const bool end = i == keysyms.size();
        if (!end && (distinct.contains(keysyms[i]) || distinct.size() < kMaxKeysPerKeymap)) {
            distinct.insert(keysyms[i]);
            continue;
        }
        if (i > runStart) {
            keymaps.push_back(buildKeymap(std::span(keysyms).subspan(runStart, i - runStart)));
        }
        runStart = i;
        distinct.clear();
        if (!end) {
            distinct.insert(keysyms[i]);
        }
    }
    return keymaps;
}

} // namespace quorvex::platform::wayland
