#pragma once

#include "HeadlessCompositor.h"

// A headless KWin of the test's own: one virtual output, software compositing, settings of its
// own. The sandbox refuses binaries with file capabilities, so it runs a plain copy of
// kwin_wayland.
class HeadlessKWin : public HeadlessCompositor {
public:
    // Returns once KWin answers on the bus.
    bool start(QString *error);
    // The title of the window KWin activated last, as a script of the test's reports it; empty
    // for none.
    QString activeWindow() const;
};
