// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where a tray item's popup (the card) goes. Panels pass the item's position with the click,
// but under Wayland many pass 0,0 and the pointer is hidden from clients, so the position may
// be unknown. Known: centred on the item, below it when the item is in the upper half of the
// screen and above it otherwise. Unknown: centred near the top of the screen, where the panels
// of GNOME, sway and most Wayland desktops are. Either way the popup stays on the screen.
QPoint trayPopupPosition(const QRect &screen, std::optional<QPoint> item, QSize popup);

// The item position a click tells: the one the panel sent, unless it is 0,0 under Wayland
// (where that means "not told"); else the pointer where the window system shows it (X11).
std::optional<QPoint> trayItemPosition(QPoint sent, bool wayland, std::optional<QPoint> pointer);
