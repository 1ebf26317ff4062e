// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/X11FrontmostApplication.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

struct PropertyReply {
    xcb_get_property_reply_t *p = nullptr;
    ~PropertyReply() { std::free(p); }
};

void discardEvents(xcb_connection_t *c)
{
    while (xcb_generic_event_t *e = xcb_poll_for_event(c))
        std::free(e);
}

} // namespace

std::unique_ptr<X11FrontmostApplication>
X11FrontmostApplication::open(const QByteArray &display, DesktopEntryNames names, QString *why)
{
    int screenNumber = 0;
    xcb_connection_t *c =
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        if (why)
            *why = QStringLiteral("cannot open the X11 display");
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    const char atomName[] = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof atomName - 1, atomName), nullptr);
    if (!it.rem || !atom) {
        std::free(atom);
        xcb_disconnect(c);
        if (why)
            *why = QStringLiteral("the X11 display has no screen");
        return nullptr;
    }
    const unsigned activeAtom = atom->atom;
    std::free(atom);
    return std::unique_ptr<X11FrontmostApplication>(
        new X11FrontmostApplication(c, it.data->root, activeAtom, std::move(names)));
}

X11FrontmostApplication::X11FrontmostApplication(xcb_connection_t *c, unsigned root,
                                                 unsigned activeAtom, DesktopEntryNames names)
    : m_connection(c), m_root(root), m_activeWindowAtom(activeAtom), m_names(std::move(names))
{}

X11FrontmostApplication::~X11FrontmostApplication()
{
    xcb_disconnect(m_connection);
}

std::optional<FrontmostApplication> X11FrontmostApplication::query() const
{
    if (xcb_connection_has_error(m_connection))
        return std::nullopt;
    PropertyReply active{xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, m_root, m_activeWindowAtom, XCB_ATOM_WINDOW, 0, 1),
        nullptr)};
    discardEvents(m_connection);
    if (!active.p || active.p->format != 32 || xcb_get_property_value_length(active.p) < 4)
        return std::nullopt;
    xcb_window_t window = 0;
    std::memcpy(&window, xcb_get_property_value(active.p), sizeof window);
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;

    // WM_CLASS is "instance\0class\0"; a window that is gone answers with an error.
    PropertyReply wmClass{xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
        nullptr)};
    discardEvents(m_connection);
    if (!wmClass.p)
        return std::nullopt;
    FrontmostApplication app;
    if (wmClass.p->format != 8)
        return app;
    const char *data = static_cast<const char *>(xcb_get_property_value(wmClass.p));
    const int length = xcb_get_property_value_length(wmClass.p);
    const QByteArray bytes(data, length);
    const QList<QByteArray> parts = bytes.split('\0');
    const QString instance =
        parts.value(0).isEmpty() ? QString() : QString::fromUtf8(parts.value(0));
    const QString cls = parts.value(1).isEmpty() ? instance : QString::fromUtf8(parts.value(1));
    if (cls.isEmpty())
        return app;
    app.identifier = cls;
    app.displayName = m_names.nameFor(cls, instance).value_or(cls);
    return app;
}
