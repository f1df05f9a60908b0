// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitleMatch.h"

#include <vector>

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

std::optional<std::size_t> pickRoomWindow(const QString& title, std::span<const WindowCandidate> bottomToTop,
                                          qint64 ownPid)
{
    std::vector<QString> topDown;
    std::vector<std::size_t> indices;
    for (std::size_t i = bottomToTop.size(); i-- > 0;) {
        if (bottomToTop[i].pid != ownPid) {
            topDown.push_back(bottomToTop[i].title);
            indices.push_back(i);
        }
    }
    const std::optional<std::size_t> match = matchWindowTitle(title, topDown);
    if (!match) {
        return std::nullopt;
    }
    return indices[*match];
}

} // namespace quorvex::platform
