// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MergedView.h"

#include "DayTotals.h"

#include <limits>

namespace {

constexpr double kForever = std::numeric_limits<double>::infinity();

} // namespace

RecordView MergedView::view(const Own &own, const OtherComputers &others, const Calendar &calendar,
                            Instant now)
{
    // Months and midnights move with the zone.
    if (calendar.zone().id() != m_zone) {
        m_zone = calendar.zone().id();
        m_windows.clear();
    }
    noteOwnChanges(own);
    if (own.segmentStart != m_segmentStart) {
        invalidate(std::min(own.segmentStart.value_or(kForever), m_segmentStart.value_or(kForever)),
                   kForever);
        m_segmentStart = own.segmentStart;
    }

    std::vector<const RecordView::DateIndex *> computers{own.index.get()};
    for (const auto &[id, c] : others.computers())
        if (c.index)
            computers.push_back(c.index.get());
    Instant from = own.segmentStart.value_or(kForever);
    Instant to = own.segmentStart.value_or(-kForever);
    for (const RecordView::DateIndex *c : computers)
        for (const RecordView::Index *index : {&c->inOrder, &c->stragglers})
            if (!index->empty()) {
                from = std::min(from, index->front()->date);
                to = std::max(to, index->back()->date);
            }
    bool changed = from <= to && cover(from, to + kLongestStretch, calendar);
    for (auto &[start, window] : m_windows) {
        if (!window.dirty)
            continue;
        window.merged = mergeWindow(computers, own.segmentStart, {start, window.end}, calendar);
        window.dirty = false;
        changed = true;
    }
    if (changed || !m_index) {
        qsizetype size = 0;
        for (const auto &[start, window] : m_windows)
            size += window.merged.entries.size();
        m_entries.clear();
        m_entries.reserve(size);
        m_runningFrom.reset();
        for (const auto &[start, window] : m_windows) {
            m_entries.append(window.merged.entries);
            if (!m_runningFrom)
                m_runningFrom = window.merged.runningFrom;
        }
        m_index = RecordView::indexByDate(m_entries);
    }
    return RecordView(m_entries, m_index, m_runningFrom, own.activity, others.activity(),
                      own.goalSeconds, calendar, now);
}

void MergedView::invalidate(Instant from, Instant to)
{
    auto it = m_windows.upper_bound(from);
    if (it != m_windows.begin())
        --it;
    for (; it != m_windows.end() && it->first < to; ++it)
        if (it->second.end > from)
            it->second.dirty = true;
}

void MergedView::noteOwnChanges(const Own &own)
{
    if (own.index == m_ownIndex)
        return;
    m_ownIndex = own.index;
    const auto count = qsizetype(own.entries.size());
    // The tracker appends; anything else (a reset, a migration) is merged again whole.
    const bool appended = count >= m_ownCount &&
                          (m_ownCount == 0 || own.entries[size_t(m_ownCount - 1)] == m_ownLast);
    if (!appended)
        m_windows.clear();
    for (qsizetype i = appended ? m_ownCount : count; i < count; ++i) {
        const WorkEntry &e = own.entries[size_t(i)];
        invalidate(e.date, e.date + std::max(e.seconds, 0.0) + 1);
    }
    m_ownCount = count;
    m_ownLast = count ? std::optional(own.entries.back()) : std::nullopt;
}

bool MergedView::cover(Instant from, Instant to, const Calendar &calendar)
{
    bool added = false;
    auto add = [&](Instant t) -> std::optional<Instant> {
        const auto month = calendar.monthInterval(t);
        if (!month || month->end <= t)
            return std::nullopt;
        if (m_windows.emplace(month->start, Window{month->end, {}, true}).second)
            added = true;
        return month->end;
    };
    // New windows go before the first and after the last; those between are there.
    const Instant firstStart = m_windows.empty() ? kForever : m_windows.begin()->first;
    for (std::optional<Instant> t = from; t && *t < std::min(to, firstStart);)
        t = add(*t);
    if (m_windows.empty())
        return added;
    for (std::optional<Instant> t = std::max(from, m_windows.rbegin()->second.end); t && *t < to;)
        t = add(*t);
    return added;
}

QList<QPair<QString, double>> computerShares(const RecordView &own, const QString &ownName,
                                             const OtherComputers &others, Instant day)
{
    QList<QPair<QString, double>> shares{{ownName, dayTotal(own, day, own.now())}};
    const ActivityByDay none;
    for (const auto &[id, c] : others.computers()) {
        if (!c.index) {
            shares.append({c.name, 0.0});
            continue;
        }
        // Totals read the index alone.
        const RecordView record({}, c.index, std::nullopt, none, 0, own.calendar(), own.now());
        shares.append({c.name, dayTotal(record, day, own.now())});
    }
    std::stable_sort(shares.begin() + 1, shares.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    return shares;
}
