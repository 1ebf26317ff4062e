#pragma once

#include "HeadlessCompositor.h"

// A headless KWin of the test's own: one virtual output, software compositing. The sandbox
// refuses binaries with file capabilities, so it runs a plain copy of kwin_wayland.
class HeadlessKWin : public HeadlessCompositor {
public:
    // Returns once KWin answers on the bus.
    bool start(QString *error);
};
