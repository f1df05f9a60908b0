// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex::platform {

// A modal one-line question to the host.
class InputBox
{
public:
    InputBox() = default;
    InputBox(const InputBox&) = delete;
    InputBox& operator=(const InputBox&) = delete;
    virtual ~InputBox() = default;

    /// Asks modally; returns the confirmed text, or the empty text when the host cancels.
    virtual QString ask(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

} // namespace quorvex::platform
