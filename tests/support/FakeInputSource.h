#pragma once

#include "FakeClock.h"
#include "InputSource.h"

#include <map>

// Input driven by the test: events happen at the fake clock's now, so idle seconds follow the
// clock. Nothing has happened yet at the start (every idle reading is huge, every counter 0).
class FakeInputSource final : public InputSource {
public:
    explicit FakeInputSource(const FakeClock &clock) : m_clock(clock) {}

    double secondsSinceLastEvent(InputEvent type) const override
    {
        const auto it = m_lastAt.find(type);
        return it == m_lastAt.end() ? 1e9 : m_clock.now() - it->second;
    }
    quint32 eventCounter(InputEvent type) const override
    {
        const auto it = m_counters.find(type);
        return it == m_counters.end() ? 0 : it->second;
    }

    // `count` events of one type, now. Counters wrap like the real 32-bit ones.
    void event(InputEvent type, quint32 count = 1)
    {
        m_counters[type] += count;
        m_lastAt[type] = m_clock.now();
    }
    void setCounter(InputEvent type, quint32 value) { m_counters[type] = value; }

private:
    const FakeClock &m_clock;
    std::map<InputEvent, quint32> m_counters;
    std::map<InputEvent, Instant> m_lastAt;
};
