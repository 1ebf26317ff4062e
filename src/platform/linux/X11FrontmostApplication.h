// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/DesktopEntryNames.h"
#include "linux/FrontmostApplicationSource.h"

#include <QByteArray>

#include <memory>

struct xcb_connection_t;

// The application of the focused window on X11: the window in the root's _NET_ACTIVE_WINDOW, its
// WM_CLASS class as the identifier and the Name= of its .desktop entry as the display name. The
// window title is never read. Asked only when a tick wants it; no events are selected.
class X11FrontmostApplication final : public FrontmostApplicationSource {
public:
    ~X11FrontmostApplication() override;

    static std::unique_ptr<X11FrontmostApplication>
    open(const QByteArray &display, DesktopEntryNames names, QString *why = nullptr);

    // Nothing when no window is active (or the window manager does not say).
    std::optional<FrontmostApplication> query() const override;

    const DesktopEntryNames &names() const { return m_names; }

private:
    X11FrontmostApplication(xcb_connection_t *c, unsigned root, unsigned activeAtom,
                            DesktopEntryNames names);

    xcb_connection_t *m_connection;
    unsigned m_root;
    unsigned m_activeWindowAtom;
    DesktopEntryNames m_names;
};
