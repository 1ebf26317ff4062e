// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/WaylandConnection.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>

void WaylandConnection::global(void *data, wl_registry *, uint32_t name, const char *interface,
                               uint32_t version)
{
    static_cast<WaylandConnection *>(data)->m_globals.push_back({name, interface, version});
}

void WaylandConnection::globalRemove(void *data, wl_registry *, uint32_t name)
{
    auto &globals = static_cast<WaylandConnection *>(data)->m_globals;
    std::erase_if(globals, [name](const Global &g) { return g.name == name; });
}

std::unique_ptr<WaylandConnection> WaylandConnection::open(const QByteArray &socket, QString *why)
{
    wl_display *display = wl_display_connect(socket.isEmpty() ? nullptr : socket.constData());
    if (!display) {
        if (why)
            *why = QStringLiteral("cannot connect to the Wayland compositor at %1")
                       .arg(socket.isEmpty() ? QStringLiteral("$WAYLAND_DISPLAY")
                                             : QString::fromLocal8Bit(socket));
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> c(new WaylandConnection(display));
    static const wl_registry_listener listener = {&WaylandConnection::global,
                                                  &WaylandConnection::globalRemove};
    c->m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(c->m_registry, &listener, c.get());
    if (!c->roundtrip()) {
        if (why)
            *why = QStringLiteral("the Wayland compositor closed the connection");
        return nullptr;
    }
    c->m_seat = static_cast<wl_seat *>(c->bind(&wl_seat_interface, 1));
    return c;
}

WaylandConnection::WaylandConnection(wl_display *display)
    : m_display(display), m_notifier(std::make_unique<QSocketNotifier>(wl_display_get_fd(display),
                                                                       QSocketNotifier::Read))
{
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WaylandConnection::dispatch);
}

WaylandConnection::~WaylandConnection()
{
    m_notifier.reset();
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

quint32 WaylandConnection::version(const char *interface) const
{
    for (const Global &g : m_globals)
        if (g.interface == interface)
            return g.version;
    return 0;
}

void *WaylandConnection::bind(const wl_interface *interface, quint32 maxVersion) const
{
    for (const Global &g : m_globals)
        if (g.interface == interface->name)
            return wl_registry_bind(m_registry, g.name, interface, std::min(g.version, maxVersion));
    return nullptr;
}

wl_callback *WaylandConnection::sync()
{
    return isConnected() ? wl_display_sync(m_display) : nullptr;
}

bool WaylandConnection::roundtrip()
{
    if (!isConnected() || wl_display_roundtrip(m_display) < 0) {
        lost();
        return false;
    }
    return true;
}

void WaylandConnection::flush()
{
    if (isConnected() && wl_display_flush(m_display) < 0 && errno != EAGAIN)
        lost();
}

void WaylandConnection::dispatch()
{
    // The socket is readable, so this reads without blocking, then runs the listeners.
    if (wl_display_dispatch(m_display) < 0) {
        lost();
        return;
    }
    flush();
}

void WaylandConnection::lost()
{
    if (!m_notifier)
        return;
    m_notifier.reset();
    emit disconnected();
}
