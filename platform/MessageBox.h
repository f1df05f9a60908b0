// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quorvex::platform {

// What a message box shows beside its prompt; every box has one OK button.
enum class MessageStyle {
    Plain,       // no icon
    Critical,    // an error
    Information, // a confirmation
};

// A modal message box with an OK button.
class MessageBox
{
public:
    MessageBox() = default;
    MessageBox(const MessageBox&) = delete;
    MessageBox& operator=(const MessageBox&) = delete;
    virtual ~MessageBox() = default;

    /// Shows the prompt modally; an empty title means the application's own title.
    virtual void show(const QString& prompt, MessageStyle style, const QString& title) = 0;
    /// Makes every later box a child of `window`, standing in front of it and taking the keyboard focus.
    virtual void setParentWindow(QWidget& window) = 0;
};

} // namespace quorvex::platform
