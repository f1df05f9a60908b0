// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogParent.h"
#include "platform/InputBox.h"

namespace quorvex::platform::qt {

// QInputDialog with a one-line entry.
class QtInputBox final : public InputBox
{
public:
    QtInputBox() = default;

    std::optional<QString> ask(const QString& prompt, const QString& title, const QString& defaultText) override;
    void setParentWindow(QWidget& window) override;

private:
    DialogParent m_parent;
};

} // namespace quorvex::platform::qt
