// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputBox.h"

namespace quorvex::platform::qt {

// QInputDialog with a one-line entry.
class QtInputBox final : public InputBox
{
public:
    QtInputBox() = default;

    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override;
};

} // namespace quorvex::platform::qt
