#pragma once

#include "LoginItems.h"

class FakeLoginItems final : public LoginItems {
public:
    Status status() const override { return state; }
    bool registerApp() override
    {
        ++registerCalls;
        if (failRegister)
            return false;
        state = Status::enabled;
        return true;
    }
    bool unregisterApp() override
    {
        ++unregisterCalls;
        if (failUnregister)
            return false;
        state = Status::notRegistered;
        return true;
    }

    Status state = Status::notRegistered;
    bool failRegister = false;
    bool failUnregister = false;
    int registerCalls = 0;
    int unregisterCalls = 0;
};
