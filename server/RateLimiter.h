// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

// A token bucket per client address: `burst` requests at once, refilled at `perMinute`.
// IPv6 clients are counted by their /64, which is what one household or host usually gets.
class RateLimiter {
public:
    using Clock = std::chrono::steady_clock;

    // perMinute 0 turns the limit off.
    RateLimiter(double perMinute, double burst);

    bool allow(const std::string &address, Clock::time_point now = Clock::now());

    // The key under which an address is counted.
    static std::string clientKey(const std::string &address);

private:
    struct Bucket {
        double tokens;
        Clock::time_point at;
    };
    void forgetFullBuckets(Clock::time_point now);

    double m_perSecond;
    double m_burst;
    std::mutex m_mutex;
    std::unordered_map<std::string, Bucket> m_buckets;
    Clock::time_point m_lastSweep;
};
