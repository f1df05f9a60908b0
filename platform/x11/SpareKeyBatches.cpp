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
                if (bound.size() == spareCount) {
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

} // namespace quorvex::platform::x11
