// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RateLimiter.h"

#include <arpa/inet.h>

#include <algorithm>

namespace {

// Past this many addresses, buckets that have refilled completely are dropped (they carry no
// information any more), at most once a second. Past the hard cap all are dropped: forgetting
// the limits for a moment beats running out of memory.
constexpr size_t kSweepAt = 20000;
constexpr size_t kHardCap = 500000;

} // namespace

RateLimiter::RateLimiter(double perMinute, double burst)
    : m_perSecond(perMinute / 60.0), m_burst(std::max(1.0, burst))
{}

std::string RateLimiter::clientKey(const std::string &address)
{
    unsigned char v6[16];
    if (inet_pton(AF_INET6, address.c_str(), v6) == 1) {
        const bool mappedV4 = std::all_of(v6, v6 + 10, [](unsigned char b) { return b == 0; }) &&
                              v6[10] == 0xff && v6[11] == 0xff;
        if (mappedV4)
            return std::to_string(v6[12]) + '.' + std::to_string(v6[13]) + '.' +
                   std::to_string(v6[14]) + '.' + std::to_string(v6[15]);
        std::string key(reinterpret_cast<const char *>(v6), 8);
        return "v6/" + key;
    }
    return address;
}

bool RateLimiter::allow(const std::string &address, Clock::time_point now)
{
    if (m_perSecond <= 0)
        return true;
    const std::string key = clientKey(address);
    std::lock_guard lock(m_mutex);
    if (m_buckets.size() >= kSweepAt && now - m_lastSweep >= std::chrono::seconds(1)) {
        m_lastSweep = now;
        forgetFullBuckets(now);
    }
    if (m_buckets.size() >= kHardCap)
        m_buckets.clear();
    auto [it, fresh] = m_buckets.try_emplace(key, Bucket{m_burst, now});
    Bucket &b = it->second;
    if (!fresh) {
        const double elapsed = std::chrono::duration<double>(now - b.at).count();
        b.tokens = std::min(m_burst, b.tokens + std::max(0.0, elapsed) * m_perSecond);
        b.at = now;
    }
    if (b.tokens < 1)
        return false;
    b.tokens -= 1;
    return true;
}

void RateLimiter::forgetFullBuckets(Clock::time_point now)
{
    std::erase_if(m_buckets, [&](const auto &entry) {
        const double elapsed = std::chrono::duration<double>(now - entry.second.at).count();
        return entry.second.tokens + elapsed * m_perSecond >= m_burst;
    });
}
