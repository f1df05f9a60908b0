// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaylandWindowKeyboard.h"

#include "TextKeymap.h"
#include "platform/common/TitleMatch.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWindow>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <list>
#include <thread>

namespace quorvex::platform::wayland {

namespace {

constexpr std::uint32_t kToplevelManagerVersion = 3;
constexpr auto kActivationTimeout = std::chrono::seconds(2);
// WORKAROUND: the compositor drops a client whose events it cannot hand over (wayland-server keeps a few KB beyond
// the socket's buffer), and a room that stalls while keys pour in would be dropped. At this pace a text of a few
// thousand characters fits in the buffers even if the room reads nothing until the end.
constexpr auto kKeyInterval = std::chrono::milliseconds(1);
constexpr std::uint32_t kKeymapFormatXkbV1 = WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1;

struct Toplevel
{
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    QString title;
    QString pendingTitle;
    bool activated = false;
    bool pendingActivated = false;
    bool shown = false; // its first "done" has come: title and state are known
    bool closed = false;
};

// This program's own windows are never a room, whatever their title.
QStringList ownWindowTitles()
{
    QStringList titles;
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible()) {
            titles.push_back(window->title());
        }
    }
    return titles;
}

} // namespace

class WaylandWindowKeyboard::Connection
{
public:
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Nothing when there is no compositor, or it lacks a seat or either protocol.
    static std::unique_ptr<Connection> open()
    {
        wl_display* display = wl_display_connect(nullptr);
        if (display == nullptr) {
            return nullptr;
        }
        std::unique_ptr<Connection> connection(new Connection(display));
        // Two round trips: the globals, then the toplevels the manager announces on binding.
        if (!connection->roundTrip() || !connection->roundTrip() || connection->m_seat == nullptr ||
            connection->m_toplevelManager == nullptr || connection->m_keyboardManager == nullptr) {
            return nullptr;
        }
        // The keyboard comes first, long before its first key: on a seat that had none, each client has to bind
        // the keyboard it now announces, and a key sent before a client did so never reaches it.
        connection->m_keyboard =
            zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection->m_keyboardManager, connection->m_seat);
        const std::array enter{Keystroke{Keystroke::Kind::Enter, 0}};
        if (!connection->upload(keymapsForText(enter)->front().keymap) || !connection->roundTrip()) {
            return nullptr;
        }
        return connection;
    }

    ~Connection()
    {
        m_notifier.reset();
        for (Toplevel& toplevel : m_toplevels) {
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
        }
        if (m_keyboard != nullptr) {
            zwp_virtual_keyboard_v1_destroy(m_keyboard);
        }
        if (m_keyboardManager != nullptr) {
            zwp_virtual_keyboard_manager_v1_destroy(m_keyboardManager);
        }
        if (m_toplevelManager != nullptr) {
            zwlr_foreign_toplevel_manager_v1_destroy(m_toplevelManager);
        }
        if (m_seat != nullptr) {
            wl_seat_destroy(m_seat);
        }
        wl_registry_destroy(m_registry);
        wl_display_disconnect(m_display);
    }

    bool broken() const { return wl_display_get_error(m_display) != 0; }

    KeyboardError activate(const QString& title, bool wait)
    {
        m_target = nullptr;
        roundTrip();
        forgetClosedToplevels();
        const QStringList own = ownWindowTitles();
        std::vector<Toplevel*> candidates;
        std::vector<QString> titles;
        for (Toplevel& toplevel : m_toplevels) {
            if (toplevel.shown && !toplevel.closed && !own.contains(toplevel.title)) {
                candidates.push_back(&toplevel);
                titles.push_back(toplevel.title);
            }
        }
        const std::optional<std::size_t> match = matchWindowTitle(title, titles);
        if (!match) {
            return KeyboardError::NoSuchWindow;
        }
        m_target = candidates[*match];
        m_targetTitle = m_target->title;
        zwlr_foreign_toplevel_handle_v1_activate(m_target->handle, m_seat);
        if (!wait) {
            wl_display_flush(m_display);
            return KeyboardError::None;
        }
        const auto deadline = std::chrono::steady_clock::now() + kActivationTimeout;
        while (!targetHasFocus()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !dispatchFor(static_cast<int>(left.count()))) {
                return m_target->closed ? KeyboardError::NoSuchWindow : KeyboardError::NotActivated;
            }
        }
        return KeyboardError::None;
    }

    TypingResult type(std::span<const Keystroke> keys, bool wait)
    {
        if (m_target == nullptr) {
            return {KeyboardError::NoSuchWindow, 0};
        }
        const std::optional<std::vector<TextKeymap>> keymaps = keymapsForText(keys);
        if (!keymaps) {
            return {KeyboardError::BadKeys, 0};
        }

        TypingResult result;
        const auto started = std::chrono::steady_clock::now();
        for (const TextKeymap& keymap : *keymaps) {
            // The compositor has to hold the new keymap before the first key that needs it.
            if (!upload(keymap.keymap) || !roundTrip()) {
                result.error = KeyboardError::Unavailable;
                return result;
            }
            for (std::size_t i = 0; i < keymap.keys.size(); ++i) {
                // One key in flight at a time: keys already sent when the focus moves would land in the window
                // that took it, such as the console's own text boxes.
                if (!roundTrip()) {
                    result.error = KeyboardError::Unavailable;
                    return result;
                }
                if (!targetHasFocus()) {
                    result.error = KeyboardError::FocusLost;
                    return result;
                }
                std::this_thread::sleep_until(started + result.typed * kKeyInterval);
                zwp_virtual_keyboard_v1_key(m_keyboard, now(), keymap.keys[i], WL_KEYBOARD_KEY_STATE_PRESSED);
                zwp_virtual_keyboard_v1_key(m_keyboard, now(), keymap.keys[i], WL_KEYBOARD_KEY_STATE_RELEASED);
                ++result.typed;
            }
        }
        if (wait ? !roundTrip() : wl_display_flush(m_display) < 0) {
            result.error = KeyboardError::Unavailable;
        }
        return result;
    }

private:
    explicit Connection(wl_display* display) : m_display(display), m_registry(wl_display_get_registry(display))
    {
        wl_registry_add_listener(m_registry, &kRegistryListener, this);
        // Title and focus changes come while the console waits for its host: read them as they come, so the
        // compositor never finds this client's socket full.
        m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(display), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { dispatchFor(0); });
    }

    void forgetClosedToplevels()
    {
        std::erase_if(m_toplevels, [](const Toplevel& toplevel) {
            if (toplevel.closed) {
                zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
            }
            return toplevel.closed;
        });
    }

    // A room that took another title is another room, as on X11.
    bool targetHasFocus() const
    {
        return m_target != nullptr && !m_target->closed && m_target->activated && m_target->title == m_targetTitle;
    }

    std::uint32_t now() const
    {
        const auto since = std::chrono::steady_clock::now() - m_start;
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }

    bool roundTrip() { return wl_display_roundtrip(m_display) >= 0; }

    // Reads and handles what the compositor sent, waiting up to `milliseconds` for something to come.
    bool dispatchFor(int milliseconds)
    {
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0) {
                return false;
            }
        }
        wl_display_flush(m_display);
        pollfd descriptor{wl_display_get_fd(m_display), POLLIN, 0};
        if (poll(&descriptor, 1, milliseconds) > 0) {
            if (wl_display_read_events(m_display) < 0) {
                return false;
            }
        } else {
            wl_display_cancel_read(m_display);
        }
        return wl_display_dispatch_pending(m_display) >= 0;
    }

    bool upload(const std::string& keymap)
    {
        const int fd = memfd_create("quorvex-keymap", MFD_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        // The compositor reads the keymap as a C string: the terminating zero belongs to it.
        const std::size_t size = keymap.size() + 1;
        std::size_t written = 0;
        while (written < size) {
            const ssize_t count = ::write(fd, keymap.c_str() + written, size - written);
            if (count <= 0) {
                ::close(fd);
                return false;
            }
            written += static_cast<std::size_t>(count);
        }
        zwp_virtual_keyboard_v1_keymap(m_keyboard, kKeymapFormatXkbV1, fd, static_cast<std::uint32_t>(size));
        ::close(fd);
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
        return true;
    }

    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version)
    {
        auto* self = static_cast<Connection*>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->m_seat == nullptr) {
            self->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
            self->m_toplevelManager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                                 std::min(version, kToplevelManagerVersion)));
            zwlr_foreign_toplevel_manager_v1_add_listener(self->m_toplevelManager, &kManagerListener, self);
        } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
            self->m_keyboardManager = static_cast<zwp_virtual_keyboard_manager_v1*>(
                wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
        }
    }

    static void globalRemove(void*, wl_registry*, std::uint32_t) {}

    static void toplevelAdded(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle)
    {
        auto* self = static_cast<Connection*>(data);
        Toplevel& toplevel = self->m_toplevels.emplace_back();
        toplevel.handle = handle;
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kToplevelListener, &toplevel);
    }

    static void managerFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}

    static void title(void* data, zwlr_foreign_toplevel_handle_v1*, const char* text)
    {
        static_cast<Toplevel*>(data)->pendingTitle = QString::fromUtf8(text);
    }

    static void state(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states)
    {
        const auto* begin = static_cast<const std::uint32_t*>(states->data);
        const auto* end = begin + states->size / sizeof(std::uint32_t);
        static_cast<Toplevel*>(data)->pendingActivated =
            std::find(begin, end, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != end;
    }

    static void done(void* data, zwlr_foreign_toplevel_handle_v1*)
    {
        auto* toplevel = static_cast<Toplevel*>(data);
        toplevel->title = toplevel->pendingTitle;
        toplevel->activated = toplevel->pendingActivated;
        toplevel->shown = true;
    }

    static void closed(void* data, zwlr_foreign_toplevel_handle_v1*) { static_cast<Toplevel*>(data)->closed = true; }

    static void ignoreText(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
    static void ignoreOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void ignoreParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

    static constexpr wl_registry_listener kRegistryListener{&global, &globalRemove};
    static constexpr zwlr_foreign_toplevel_manager_v1_listener kManagerListener{&toplevelAdded, &managerFinished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener kToplevelListener{
        &title, &ignoreText, &ignoreOutput, &ignoreOutput, &state, &done, &closed, &ignoreParent};

    wl_display* m_display;
    wl_registry* m_registry;
    wl_seat* m_seat = nullptr;
    zwlr_foreign_toplevel_manager_v1* m_toplevelManager = nullptr;
    zwp_virtual_keyboard_manager_v1* m_keyboardManager = nullptr;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    // A list: each toplevel's address is its listener's data, and must not move.
    std::list<Toplevel> m_toplevels;
    Toplevel* m_target = nullptr;
    QString m_targetTitle;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::unique_ptr<QSocketNotifier> m_notifier;
};

WaylandWindowKeyboard::WaylandWindowKeyboard()
{
    // At once rather than at the first text: the clients get time to bind the virtual keyboard (see open()).
    connect();
}

WaylandWindowKeyboard::~WaylandWindowKeyboard() = default;

bool WaylandWindowKeyboard::connect()
{
    // A compositor that restarted, or dropped this client, is met afresh.
    if (m_connection != nullptr && m_connection->broken()) {
        m_connection.reset();
    }
    if (m_connection == nullptr && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        m_connection = Connection::open();
    }
    return m_connection != nullptr;
}

KeyboardError WaylandWindowKeyboard::activate(const QString& title, bool wait)
{
    if (!connect()) {
        return KeyboardError::Unavailable;
    }
    return m_connection->activate(title, wait);
}

TypingResult WaylandWindowKeyboard::type(std::span<const Keystroke> keys, bool wait)
{
    if (m_connection == nullptr || m_connection->broken()) {
        return {KeyboardError::Unavailable, 0};
    }
    return m_connection->type(keys, wait);
}

} // namespace quorvex::platform::wayland
