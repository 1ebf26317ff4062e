#pragma once

#include "Workspace.h"

class FakeWorkspace final : public Workspace {
    Q_OBJECT
public:
    std::optional<FrontmostApplication> frontmostApplication() const override
    {
        ++queries;
        return front;
    }
    void sleep() { emit willSleep(); }
    void wake() { emit didWake(); }

    std::optional<FrontmostApplication> front;
    mutable int queries = 0;
};
