// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

namespace quorvex::console {

// Every control has a free text slot that the host never sees; the console keeps some of its state there.
inline QString tagOf(const QWidget* control)
{
    return control->property("tag").toString();
}

inline void setTag(QWidget* control, const QString& tag)
{
    control->setProperty("tag", tag);
}

} // namespace quorvex::console
