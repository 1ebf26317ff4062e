// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/WaylandConnection.h"

#include <QString>

#include <memory>

struct zwlr_data_control_manager_v1;

// The clipboard's text read without keyboard focus, through the wlroots data-control protocol
// (sway, Hyprland, labwc, Wayfire, KWin 5.27). Under Wayland a client sees the clipboard only
// while one of its windows has the keyboard focus, and at start Tockly has none. Nothing is bound
// between reads, so copying elsewhere wakes nobody here.
class DataControlClipboard {
public:
    // Null when the compositor cannot be reached or offers no data-control.
    static std::unique_ptr<DataControlClipboard> open(const QByteArray &socket);

    // The clipboard's plain text as its owner writes it; empty when it holds none, or when the
    // owner has not finished within `timeoutMs` or sends more than `maxBytes`.
    QString text(int timeoutMs = 1000, qsizetype maxBytes = 1 << 20);

private:
    explicit DataControlClipboard(std::unique_ptr<WaylandConnection> connection);

    std::unique_ptr<WaylandConnection> m_connection;
};
