#pragma once

#include "RepeatingTimer.h"

// A timer that fires only when the test says so.
class FakeTimer final : public RepeatingTimer {
    Q_OBJECT
public:
    void start(double intervalSeconds, double) override
    {
        interval = intervalSeconds;
        active = true;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void fire() { emit fired(); }

    double interval = 0;
    bool active = false;
};
