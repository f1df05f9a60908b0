// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace quorvex::console {

struct MainControls;

/// The application name under which every setting is stored.
inline const QString kSettingsApplication = QStringLiteral("QVX");

/// "Macro01 Caption" ... "Macro05 Tag": the key of a macro button's caption or tag, `part` being "Caption" or "Tag".
QString macroKey(int index, const QString& part);

// One persisted value: where it is stored and which property of which control holds it while the console runs.
struct SettingBinding
{
    enum class Property { Text, Tag };

    QString section;
    QString key;
    QWidget* control = nullptr;
    Property property = Property::Text;
};

/// Every persisted setting, in the order in which they are loaded and saved.
std::vector<SettingBinding> settingBindings(const MainControls& controls);

/// The text, caption or tag that a binding names.
QString readBinding(const SettingBinding& binding);
void writeBinding(const SettingBinding& binding, const QString& value);

} // namespace quorvex::console
