// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quorvex::platform {

// Style values of a message box: the icon and buttons, as the console's messages name them.
inline constexpr int kStyleOkOnly = 0;
inline constexpr int kStyleCritical = 16;
inline constexpr int kStyleInformation = 64;

// A modal message box with an OK button.
class MessageBox
{
public:
    MessageBox() = default;
    MessageBox(const MessageBox&) = delete;
    MessageBox& operator=(const MessageBox&) = delete;
    virtual ~MessageBox() = default;

    /// Shows the prompt modally; an empty title means the application's own title.
    virtual void show(const QString& prompt, int style, const QString& title) = 0;
    /// Makes every later box a child of `window`, standing in front of it and taking the keyboard focus.
    virtual void setParentWindow(QWidget& window) = 0;
};

} // namespace quorvex::platform
