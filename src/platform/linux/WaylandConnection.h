// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>
#include <vector>

struct wl_callback;
struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;

// A client connection to the Wayland compositor, read on the main loop whenever the compositor
// has sent something. The protocol objects built on it (idle notifications, toplevel handles)
// get their events from that dispatch; no thread of our own is involved.
class WaylandConnection final : public QObject {
    Q_OBJECT
public:
    ~WaylandConnection() override;

    // `socket` as in $WAYLAND_DISPLAY: a name in $XDG_RUNTIME_DIR or an absolute path. Returns
    // the connection once the compositor has listed its globals, or null with the reason.
    static std::unique_ptr<WaylandConnection> open(const QByteArray &socket,
                                                   QString *why = nullptr);

    // The version of the global the compositor offers under that interface name; 0 if none.
    quint32 version(const char *interface) const;
    // Binds that global at the lower of the offered version and `maxVersion`; null if not
    // offered. The caller owns the proxy.
    void *bind(const wl_interface *interface, quint32 maxVersion) const;
    // The first seat, bound at start; null when the compositor has none.
    wl_seat *seat() const { return m_seat; }

    bool isConnected() const { return m_notifier != nullptr; }
    // Sends what is queued and waits until the compositor has answered all of it.
    bool roundtrip();
    // Sends what is queued without waiting; requests made outside a dispatch need it.
    void flush();
    // A callback whose "done" comes once the compositor has handled every request sent before
    // it; the caller adds a listener, flushes and owns the proxy. Null when disconnected.
    wl_callback *sync();

signals:
    void disconnected();

private:
    struct Global {
        quint32 name;
        QByteArray interface;
        quint32 version;
    };
    explicit WaylandConnection(wl_display *display);
    void dispatch();
    void lost();

    static void global(void *data, wl_registry *, uint32_t name, const char *interface,
                       uint32_t version);
    static void globalRemove(void *data, wl_registry *, uint32_t name);

    wl_display *m_display;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    std::vector<Global> m_globals;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
