// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HeadlessCompositor.h"

// A headless KWin of the test's own: one virtual output, software compositing, settings of its
// own. The sandbox refuses binaries with file capabilities, so it runs a plain copy of
// kwin_wayland.
class HeadlessKWin : public HeadlessCompositor {
public:
    // Returns once KWin answers on the bus.
    bool start(QString *error);
};
