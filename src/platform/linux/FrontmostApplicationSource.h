// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Workspace.h"

#include <optional>

// One way of learning which application has the focus: X11 properties, a Wayland protocol or a
// compositor script. Asked by the tick; never reports the window title.
class FrontmostApplicationSource {
public:
    virtual ~FrontmostApplicationSource() = default;
    // Nothing when no window is active or the source cannot tell.
    virtual std::optional<FrontmostApplication> query() const = 0;
};
