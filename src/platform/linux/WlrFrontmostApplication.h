// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/DesktopEntryNames.h"
#include "linux/FrontmostApplicationSource.h"
#include "linux/WaylandConnection.h"

#include <QString>

#include <memory>
#include <vector>

struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

// The focused application on compositors with the wlroots foreign-toplevel protocol (sway,
// Hyprland, labwc, Wayfire): the activated toplevel's app_id as the identifier and the Name= of
// its .desktop entry as the display name. The compositor pushes changes; the tick reads the
// latest. Titles arrive with the handles and are dropped unread.
class WlrFrontmostApplication final : public FrontmostApplicationSource {
public:
    // Null when the compositor does not offer the protocol.
    static std::unique_ptr<WlrFrontmostApplication>
    open(std::shared_ptr<WaylandConnection> connection, DesktopEntryNames names);
    ~WlrFrontmostApplication() override;

    std::optional<FrontmostApplication> query() const override;

private:
    friend struct ToplevelListeners;
    struct Toplevel {
        zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
        QString appId, pendingAppId;
        bool activated = false, pendingActivated = false;
    };

    WlrFrontmostApplication(std::shared_ptr<WaylandConnection> connection,
                            zwlr_foreign_toplevel_manager_v1 *manager, DesktopEntryNames names);
    Toplevel *find(zwlr_foreign_toplevel_handle_v1 *handle);

    std::shared_ptr<WaylandConnection> m_connection;
    zwlr_foreign_toplevel_manager_v1 *m_manager;
    DesktopEntryNames m_names;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels;
};
