#pragma once

#include <QCoro/QCoroTask>
#include <QTest>

#include <memory>
#include <optional>
#include <type_traits>

// Runs a task, turning the event loop until it ends. The result is absent when the task has not
// finished within the limit; a task without a value gives true.
template<typename T> auto awaitTask(QCoro::Task<T> task, int limitMs = 10'000)
{
    using Value = std::conditional_t<std::is_void_v<T>, bool, T>;
    // Shared with the frame, which lives on should the task finish after the limit.
    auto result = std::make_shared<std::optional<Value>>();
    [](QCoro::Task<T> task, std::shared_ptr<std::optional<Value>> result) -> QCoro::Task<> {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            *result = true;
        } else {
            result->emplace(co_await std::move(task));
        }
    }(std::move(task), result);
    if (!QTest::qWaitFor([&] { return result->has_value(); }, limitMs))
        return std::optional<Value>();
    return *result;
}
