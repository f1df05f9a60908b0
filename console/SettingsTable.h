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
    // Absent means off: the store gets the key only once the host has switched it, so a store of earlier runs stays
    // as it was, and neither a first start nor a missing key is judged by it.
    bool absentMeansOff = false;
};

/// The value of a switch that `absentMeansOff` keys hold: "1" is on, anything else off.
inline const QString kSwitchOn = QStringLiteral("1");
inline const QString kSwitchOff = QStringLiteral("0");

/// Every persisted setting, in the order in which they are loaded and saved.
std::vector<SettingBinding> settingBindings(const MainControls& controls);

/// Whether saving writes the binding, whose control holds `value`, into a store that holds the key or not.
bool savesInto(const SettingBinding& binding, const QString& value, bool storeHasKey);

/// The text, caption or tag that a binding names.
QString readBinding(const SettingBinding& binding);
void writeBinding(const SettingBinding& binding, const QString& value);

} // namespace quorvex::console
