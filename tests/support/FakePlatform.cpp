// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"

#include "platform/common/TitleMatch.h"

#include <QTest>

#include <algorithm>

namespace quorvex::test {

FakePlatform::FakePlatform()
    : m_platform{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this}
{
}

QString FakePlatform::Sent::text() const
{
    QString text;
    for (const platform::Keystroke& key : keys) {
        if (key.kind == platform::Keystroke::Kind::Enter) {
            text += u'\n';
        } else {
            text += QString::fromUcs4(&key.character, 1);
        }
    }
    return text;
}

QString FakePlatform::typedInto(const QString& window) const
{
    QString text;
    for (const Sent& s : sent) {
        if (s.window == window) {
            text += s.text();
        }
    }
    return text;
}

void FakePlatform::show(const QString& prompt, platform::MessageStyle style, const QString& title)
{
    boxes.push_back({prompt, style, title});
    if (onMessageBox) {
        onMessageBox();
    }
}

std::optional<QString> FakePlatform::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    questions.push_back({prompt, title, defaultText});
    // A loop that keeps asking past its script is a fault of the code under test, not a hang.
    if (questions.size() > 1000) {
        qFatal("the console asked more than 1000 questions");
    }
    if (onInputBox) {
        onInputBox();
    }
    if (inputAnswers.empty()) {
        return {};
    }
    // Taken apart rather than copied whole: GCC 12 at -O2 warns falsely about a copied optional<QString>.
    const bool confirmed = inputAnswers.front().has_value();
    QString answer = inputAnswers.front().value_or(QString());
    inputAnswers.pop_front();
    if (!confirmed) {
        return std::nullopt;
    }
    return answer;
}

std::optional<QString> FakePlatform::chooseFileToOpen(const QString& filter, int filterIndex)
{
    fileRequests.emplace_back(filter, filterIndex);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    // Taken apart rather than copied whole: GCC 12 at -O2 warns falsely about a copied optional<QString>.
    const bool chosen = fileAnswers.front().has_value();
    QString path = fileAnswers.front().value_or(QString());
    fileAnswers.pop_front();
    if (!chosen) {
        return std::nullopt;
    }
    return path;
}

void FakePlatform::setParentWindow(QWidget& window)
{
    parentWindow = &window;
}

std::optional<QString> FakePlatform::value(const QString& section, const QString& key) const
{
    const auto found = store.find({section, key});
    if (found == store.end()) {
        return std::nullopt;
    }
    return found->second;
}

void FakePlatform::setValue(const QString& section, const QString& key, const QString& text)
{
    store[{section, key}] = text;
    writes.emplace_back(section, key);
}

std::optional<QString> FakePlatform::commit()
{
    ++commits;
    return commitFailure;
}

platform::KeptAside FakePlatform::keepAside()
{
    ++keepAsideCalls;
    return keptAside;
}

platform::KeyboardError FakePlatform::activate(const QString& title, bool)
{
    activations.push_back(title);
    activeWindow.clear();
    const auto match =
        platform::matchWindowTitle(title, std::span<const QString>(windowTitles.begin(), windowTitles.end()));
    if (!match) {
        return platform::KeyboardError::NoSuchWindow;
    }
    const QString& found = windowTitles.at(qsizetype(*match));
    if (unfocusableTitles.contains(found)) {
        return platform::KeyboardError::NotActivated;
    }
    activeWindow = found;
    return platform::KeyboardError::None;
}

platform::TypingResult FakePlatform::type(std::span<const platform::Keystroke> keys, bool wait)
{
    platform::TypingResult result{platform::KeyboardError::None, keys.size()};
    if (!typeResults.empty()) {
        if (typeResults.front().error != platform::KeyboardError::None) {
            result = typeResults.front();
            result.typed = std::min(result.typed, keys.size());
        }
        typeResults.pop_front();
    }
    if (result.typed > 0) {
        sent.push_back({activeWindow,
                        std::vector<platform::Keystroke>(keys.begin(), keys.begin() + std::ptrdiff_t(result.typed)),
                        wait});
    }
    return result;
}

void FakePlatform::processPendingEvents()
{
    ++pendingEventPasses;
    if (onPendingEvents) {
        // One pass only, as a real event loop handles what is waiting once.
        auto pending = std::exchange(onPendingEvents, nullptr);
        pending();
    }
}

QDate FakePlatform::today() const
{
    return date;
}

QDateTime FakePlatform::now() const
{
    return QDateTime(date, time);
}

double FakePlatform::nextFraction()
{
    if (fractions.empty()) {
        return 0.0;
    }
    const double r = fractions.front();
    fractions.pop_front();
    return r;
}

std::optional<QString> FakePlatform::startDetached(const QString& program, const QStringList& arguments)
{
    if (launchFailure) {
        return launchFailure;
    }
    launches.push_back({program, arguments});
    return std::nullopt;
}

void FakePlatform::setKeepAbove(QWidget&, bool above)
{
    keepAboveCalls.push_back(above);
}

std::optional<QString> FakePlatform::append(const QString& name, const QString& text)
{
    if (dataFailure) {
        return dataFailure;
    }
    dataFiles[name] += text;
    return std::nullopt;
}

platform::DataFileText FakePlatform::read(const QString& name) const
{
    if (dataReadFailure) {
        return {QString(), dataReadFailure};
    }
    const auto found = dataFiles.find(name);
    return {found == dataFiles.end() ? QString() : found->second, std::nullopt};
}

} // namespace quorvex::test
