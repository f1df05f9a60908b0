// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsTable.h"

#include "ClickableLabel.h"
#include "ControlTag.h"
#include "MacroButton.h"
#include "MainControls.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace quorvex::console {

QString macroKey(int index, const QString& part)
{
    return QStringLiteral("Macro") + (QStringLiteral("00") + QString::number(index + 1)).right(2) + u' ' + part;
}

std::vector<SettingBinding> settingBindings(const MainControls& controls)
{
    const QString misc = QStringLiteral("Misc");
    const QString macros = QStringLiteral("Macros");
    using Property = SettingBinding::Property;

    std::vector<SettingBinding> bindings;
    bindings.push_back({misc, QStringLiteral("AppName"), controls.txtAppName, Property::Text});
    for (int i = 0; i < kMacroCount; ++i) {
        bindings.push_back({macros, macroKey(i, QStringLiteral("Caption")), controls.cmdMacro[i], Property::Text});
        bindings.push_back({macros, macroKey(i, QStringLiteral("Tag")), controls.cmdMacro[i], Property::Tag});
    }
    bindings.push_back({misc, QStringLiteral("QuizEndScore"), controls.txtQuizEndScore, Property::Text});
    bindings.push_back({misc, QStringLiteral("SayOnBondage"), controls.txtEqualScores, Property::Text});
    bindings.push_back({misc, QStringLiteral("Team 1 Name"), controls.lblTeam[0], Property::Text});
    bindings.push_back({misc, QStringLiteral("Team 2 Name"), controls.lblTeam[1], Property::Text});
    bindings.push_back({misc, QStringLiteral("NoRepeatRandom"), controls.cmdRandomQuestion, Property::Tag, true});
    return bindings;
}

bool savesInto(const SettingBinding& binding, const QString& value, bool storeHasKey)
{
    return !binding.absentMeansOff || storeHasKey || !value.isEmpty();
}

QString readBinding(const SettingBinding& binding)
{
    if (binding.property == SettingBinding::Property::Tag) {
        return tagOf(binding.control);
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(binding.control)) {
        return edit->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(binding.control)) {
        return label->text();
    }
    return qobject_cast<const QAbstractButton*>(binding.control)->text();
}

void writeBinding(const SettingBinding& binding, const QString& value)
{
    if (binding.property == SettingBinding::Property::Tag) {
        setTag(binding.control, value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(binding.control)) {
        edit->setText(value);
        edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(binding.control)) {
        label->setText(value);
    } else {
        qobject_cast<QAbstractButton*>(binding.control)->setText(value);
    }
}

} // namespace quorvex::console
