#pragma once

#include "LoginItems.h"

class FakeLoginItems final : public LoginItems {
public:
    Status status() const override { return state; }
    bool registerApp() override
    {
        state = Status::enabled;
        return true;
    }
    bool unregisterApp() override
    {
        state = Status::notRegistered;
        return true;
    }

    Status state = Status::notRegistered;
};
