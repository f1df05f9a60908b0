// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleFixture.h"

#include "console/MacroButton.h"

#include <QLabel>
#include <QTest>

namespace quorvex::test {
namespace {

QString styleName(platform::MessageStyle style)
{
    switch (style) {
    case platform::MessageStyle::Critical:
        return QStringLiteral("critical");
    case platform::MessageStyle::Information:
        return QStringLiteral("information");
    case platform::MessageStyle::Plain:
        break;
    }
    return QStringLiteral("plain");
}

} // namespace

ConsoleFixture::ConsoleFixture(const Store& stored) : m_platform(fake.platform())
{
    fake.windowTitles = {kRoom};
    fake.store = stored;
    restart();
}

ConsoleFixture::ConsoleFixture(platform::SettingsStore& store)
    : m_platform{fake.platform().messageBox, fake.platform().inputBox,  fake.platform().fileChooser,
                 store,                      fake.platform().keyboard,  fake.platform().events,
                 fake.platform().clock,      fake.platform().random,    fake.platform().launcher,
                 fake.platform().keepAbove,  fake.platform().dataFolder, fake.platform().seededRandom}
{
    fake.windowTitles = {kRoom};
    restart();
}

void ConsoleFixture::restart()
{
    m_window.reset();
    m_window = std::make_unique<console::Main>(m_platform);
}

void ConsoleFixture::answer(const QStringList& entries)
{
    fake.inputAnswers.insert(fake.inputAnswers.end(), entries.cbegin(), entries.cend());
}

void ConsoleFixture::click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton);
}

QPushButton* ConsoleFixture::macro(int index) const
{
    return ui().cmdMacro.at(std::size_t(index));
}

void ConsoleFixture::pressMacro(int index, Qt::MouseButton button)
{
    QTest::mousePress(macro(index), button);
}

void ConsoleFixture::setScores(const QString& team0, const QString& team1)
{
    ui().lblScore[0]->setText(team0);
    ui().lblScore[1]->setText(team1);
}

QStringList ConsoleFixture::scores() const
{
    return {ui().lblScore[0]->text(), ui().lblScore[1]->text()};
}

QStringList ConsoleFixture::boxes() const
{
    QStringList shown;
    for (const FakePlatform::Box& box : fake.boxes) {
        shown << QStringLiteral("%1 | %2 | %3").arg(box.prompt, styleName(box.style), box.title);
    }
    return shown;
}

QStringList ConsoleFixture::questions() const
{
    QStringList asked;
    for (const FakePlatform::Question& question : fake.questions) {
        asked << QStringLiteral("%1 | %2 | %3").arg(question.prompt, question.title, question.defaultText);
    }
    return asked;
}

QString ConsoleFixture::stored(const QString& section, const QString& key) const
{
    const auto found = fake.store.find({section, key});
    return found == fake.store.end() ? QStringLiteral("<absent>") : found->second;
}

} // namespace quorvex::test
