// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/TrayPopupPosition.h"

#include <algorithm>

namespace {
constexpr int gap = 6;
// Below a top panel of the usual height, which the screen's available area may not exclude.
constexpr int topMargin = 48;
} // namespace

QPoint trayPopupPosition(const QRect &screen, std::optional<QPoint> item, QSize popup)
{
    int x = screen.left() + (screen.width() - popup.width()) / 2;
    int y = screen.top() + topMargin;
    if (item) {
        const bool below = item->y() < screen.center().y();
        x = item->x() - popup.width() / 2;
        y = below ? item->y() + gap : item->y() - gap - popup.height();
    }
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - popup.width()));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - popup.height()));
    return {x, y};
}

std::optional<QPoint> trayItemPosition(QPoint sent, bool wayland, std::optional<QPoint> pointer)
{
    if (!sent.isNull())
        return sent;
    if (wayland)
        return std::nullopt;
    return pointer;
}
