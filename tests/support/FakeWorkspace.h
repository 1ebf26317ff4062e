#pragma once

#include "Workspace.h"

class FakeWorkspace final : public Workspace {
    Q_OBJECT
public:
    std::optional<FrontmostApplication> frontmostApplication() const override { return front; }
    void sleep() { emit willSleep(); }
    void wake() { emit didWake(); }

    std::optional<FrontmostApplication> front;
};
