// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <span>

namespace quorvex::platform {

/// Picks the window for a title among the candidates' titles: the first whose title equals it, else the first
/// whose title begins with it. Literal and case-sensitive; an empty title matches nothing.
std::optional<std::size_t> matchWindowTitle(const QString& title, std::span<const QString> candidates);

} // namespace quorvex::platform
