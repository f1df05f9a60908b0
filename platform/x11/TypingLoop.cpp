// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingLoop.h"

#include "SpareKeyBatches.h"

#include <algorithm>
#include <vector>

namespace quorvex::platform::x11 {
namespace {

// Types keys [begin, end) and leaves no modifier down and the first group locked; returns how many it typed,
// fewer when a key wants a modifier the map lacks.
std::size_t typeRun(const X11Keymap& keymap, std::span<const std::optional<KeyChoice>> choices,
                    std::span<const Keysym> needs, const SpareKeyLending& lending, KeySink& sink, std::size_t begin,
                    std::size_t end)
{
    const std::optional<KeyCode> shiftKey = keymap.shiftKeycode();
    const std::optional<KeyCode> level3Key = keymap.level3Keycode();
    bool shiftDown = false;
    bool level3Down = false;
    unsigned int group = 0;
    const auto hold = [&sink](std::optional<KeyCode> key, bool want, bool& down) {
        if (want != down) {
            sink.key(*key, want);
            down = want;
        }
    };
    std::size_t typed = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const std::optional<KeyChoice> choice = choices[i] ? choices[i] : lending.choiceFor(needs[i]);
        if (!choice || (choice->shift && !shiftKey) || (choice->level3 && !level3Key)) {
            break;
        }
        // The group travels in each key event's state, so a room that reads late still reads the group it was
        // sent with.
        if (choice->group != group) {
            group = choice->group;
            sink.lockGroup(group);
        }
        hold(shiftKey, choice->shift, shiftDown);
        hold(level3Key, choice->level3, level3Down);
        sink.key(choice->keycode, true);
        sink.key(choice->keycode, false);
        ++typed;
    }
    // Never left down past the run, whatever comes next.
    hold(shiftKey, false, shiftDown);
    hold(level3Key, false, level3Down);
    if (group != 0) {
        sink.lockGroup(0);
    }
    return typed;
}

} // namespace

TypingResult typeKeys(const X11Keymap& keymap, std::span<const Keystroke> keys, SpareKeyLending& lending, KeySink& sink)
{
    std::vector<std::optional<KeyChoice>> choices;
    std::vector<Keysym> needs;
    choices.reserve(keys.size());
    needs.reserve(keys.size());
    for (const Keystroke& key : keys) {
        const Keysym keysym = keysymFor(key);
        choices.push_back(keymap.find(keysym));
        needs.push_back(choices.back() ? kNoSymbol : keysym);
    }
    const std::optional<std::vector<SpareKeyBatch>> batches = planSpareKeyBatches(needs, keymap.spareKeycodes().size());
    if (!batches) {
        return {KeyboardError::BadKeys, 0};
    }

    TypingResult result;
    int returns = 0;
    for (const SpareKeyBatch& batch : *batches) {
        if (!batch.keysyms.empty()) {
            const std::optional<SpareKeyLending::Loan> loan = lending.lend(keymap.spareKeycodes(), batch.keysyms);
            if (!loan || !sink.bind(loan->keycodes, loan->levels)) {
                result.error = KeyboardError::BadKeys;
                break;
            }
        }
        for (std::size_t begin = batch.begin; begin < batch.end && result.error == KeyboardError::None;) {
            if (sink.stopRequested()) {
                result.error = KeyboardError::FocusLost;
                break;
            }
            const std::size_t end = std::min(batch.end, begin + kRunLength);
            const FocusPlace place = sink.beginRun();
            if (place != FocusPlace::Room) {
                sink.endRun(0);
                // The host's click on the console moved the focus between two runs: the room comes forward again and
                // the text goes on where it stopped.
                if (place == FocusPlace::Console && returns < kMostReturnsPerRun && sink.bringRoomBack()) {
                    ++returns;
                    continue;
                }
                result.error = KeyboardError::FocusLost;
                break;
            }
            returns = 0;
            const std::size_t typed = typeRun(keymap, choices, needs, lending, sink, begin, end);
            if (typed < end - begin) {
                result.error = KeyboardError::BadKeys;
            }
            sink.endRun(typed);
            result.typed += typed;
            begin = end;
        }
        if (result.error != KeyboardError::None) {
            break;
        }
    }
    return result;
}

} // namespace quorvex::platform::x11
