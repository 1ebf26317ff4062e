// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HeadlessCompositor.h"

// A headless KWin of the test's own: one virtual output, software compositing, settings of its
// own. The sandbox refuses binaries with file capabilities, so it runs a plain copy of
// kwin_wayland.
class HeadlessKWin : public HeadlessCompositor {
public:
    // Returns once KWin answers on the bus. With `strictFocus`, KWin prevents focus stealing at
    // its strictest: KWin 6 then gives new windows no focus of their own (5.27 still does).
    bool start(QString *error, bool strictFocus = false);
    // KWin's major version.
    int version() const;
    // The title of the window KWin activated last, as a script of the test's reports it; empty
    // for none.
    QString activeWindow() const;
};
