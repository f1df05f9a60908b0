// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace quorvex::platform {

// A modal one-line question to the host.
class InputBox
{
public:
    InputBox() = default;
    InputBox(const InputBox&) = delete;
    InputBox& operator=(const InputBox&) = delete;
    virtual ~InputBox() = default;

    /// Asks modally; returns the confirmed text, however long, or nothing when the host cancels.
    virtual std::optional<QString> ask(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    /// Makes every later box a child of `window`, standing in front of it and taking the keyboard focus.
    virtual void setParentWindow(QWidget& window) = 0;
};

} // namespace quorvex::platform
