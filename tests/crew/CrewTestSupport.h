#pragma once

#include "Clock.h"
#include "CrewError.h"

#include <QCoro/QCoroTask>
#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <optional>

// Runs a crew task in its own event loop; absent when it has not finished within the limit.
template<typename T> std::optional<T> awaitTask(QCoro::Task<T> task, int limitMs = 10'000)
{
    struct State {
        std::optional<T> result;
        QEventLoop loop;
    };
    auto state = std::make_shared<State>();
    // The frame keeps the state alive should the task finish after the limit.
    auto deliver = [](QCoro::Task<T> task, std::shared_ptr<State> state) -> QCoro::Task<> {
        state->result.emplace(co_await std::move(task));
        state->loop.quit();
    };
    deliver(std::move(task), state);
    if (!state->result) {
        QTimer::singleShot(limitMs, &state->loop, &QEventLoop::quit);
        state->loop.exec();
    }
    return state->result;
}

inline bool awaitTask(QCoro::Task<> task, int limitMs = 10'000)
{
    struct State {
        bool done = false;
        QEventLoop loop;
    };
    auto state = std::make_shared<State>();
    auto deliver = [](QCoro::Task<> task, std::shared_ptr<State> state) -> QCoro::Task<> {
        co_await std::move(task);
        state->done = true;
        state->loop.quit();
    };
    deliver(std::move(task), state);
    if (!state->done) {
        QTimer::singleShot(limitMs, &state->loop, &QEventLoop::quit);
        state->loop.exec();
    }
    return state->done;
}

class FixedClock final : public Clock {
public:
    explicit FixedClock(Instant t) : m_now(t) {}
    Instant now() const override { return m_now; }

private:
    Instant m_now;
};
