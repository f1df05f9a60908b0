// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitleMatch.h"

namespace quorvex::platform {

std::optional<std::size_t> matchWindowTitle(const QString& title, std::span<const QString> candidates)
{
    if (title.isEmpty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i] == title) {
            return i;
        }
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].startsWith(title)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace quorvex::platform
