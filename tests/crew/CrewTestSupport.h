// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoro/QCoroTask>
#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <optional>
#include <type_traits>

// Runs a task in its own event loop. The result is absent when the task has not finished
// within the limit; a task without a value gives true.
template<typename T> auto awaitTask(QCoro::Task<T> task, int limitMs = 10'000)
{
    using Value = std::conditional_t<std::is_void_v<T>, bool, T>;
    struct State {
        std::optional<Value> result;
        QEventLoop loop;
    };
    // Shared with the frame, which lives on should the task finish after the limit.
    auto state = std::make_shared<State>();
    [](QCoro::Task<T> task, std::shared_ptr<State> state) -> QCoro::Task<> {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            state->result = true;
        } else {
            state->result.emplace(co_await std::move(task));
        }
        state->loop.quit();
    }(std::move(task), state);
    if (!state->result) {
        QTimer::singleShot(limitMs, &state->loop, &QEventLoop::quit);
        state->loop.exec();
    }
    return state->result;
}
