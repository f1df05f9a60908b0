// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpareKeyBatches.h"

#include <algorithm>

namespace quorvex::platform::x11 {

std::optional<std::vector<SpareKeyBatch>> planSpareKeyBatches(std::span<const Keysym> needs, std::size_t spareCount)
{
    std::vector<SpareKeyBatch> batches;
    if (needs.empty()) {
        return batches;
    }
    batches.push_back({0, 0, {}});
    for (std::size_t i = 0; i < needs.size(); ++i) {
        const Keysym keysym = needs[i];
        if (keysym != kNoSymbol) {
            if (spareCount == 0) {
                return std::nullopt;
            }
            std::vector<Keysym>& bound = batches.back().keysyms;
            if (std::find(bound.begin(), bound.end(), keysym) == bound.end()) {
                if (bound.size() == spareCount * kCharactersPerSpareKey) {
                    batches.back().end = i;
                    batches.push_back({i, i, {}});
                }
                batches.back().keysyms.push_back(keysym);
            }
        }
    }
    batches.back().end = needs.size();
    return batches;
}

std::vector<KeyLevels> spareKeyLevels(std::span<const Keysym> keysyms)
{
    std::vector<KeyLevels> levels;
    for (std::size_t i = 0; i < keysyms.size(); i += kCharactersPerSpareKey) {
        levels.push_back({keysyms[i], i + 1 < keysyms.size() ? keysyms[i + 1] : keysyms[i]});
    }
    return levels;
}

std::optional<SpareSlot> spareSlotOf(std::span<const Keysym> keysyms, Keysym keysym)
{
    const auto it = std::find(keysyms.begin(), keysyms.end(), keysym);
    if (it == keysyms.end()) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(it - keysyms.begin());
    return SpareSlot{index / kCharactersPerSpareKey, index % kCharactersPerSpareKey == 1};
}

std::vector<unsigned char> leastRecentlyUsed(std::span<const unsigned char> spare,
                                             const std::map<unsigned char, std::uint64_t>& lastUse, std::size_t count)
{
    std::vector<unsigned char> order(spare.begin(), spare.end());
    const auto use = [&lastUse](unsigned char keycode) {
        const auto it = lastUse.find(keycode);
        return it == lastUse.end() ? std::uint64_t{0} : it->second + 1;
    };
    std::stable_sort(order.begin(), order.end(), [&](unsigned char a, unsigned char b) { return use(a) < use(b); });
    order.resize(std::min(count, order.size()));
    return order;
}

} // namespace quorvex::platform::x11
