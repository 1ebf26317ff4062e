// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordView.h"

namespace {
bool earlier(const WorkEntry *a, const WorkEntry *b)
{
    return a->date < b->date;
}
} // namespace

RecordView::RecordView(std::span<const WorkEntry> entries, std::optional<Instant> segmentStart,
                       const ActivityByDay &activityByDay, double goalSeconds,
                       const Calendar &calendar, Instant now)
    : RecordView(entries, indexByDate(entries), segmentStart, activityByDay, goalSeconds, calendar,
                 now)
{}

RecordView::RecordView(std::span<const WorkEntry> entries, std::shared_ptr<const DateIndex> index,
                       std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
                       double goalSeconds, const Calendar &calendar, Instant now)
    : m_entries(entries), m_segmentStart(segmentStart), m_activity(activityByDay),
      m_goalSeconds(goalSeconds), m_calendar(calendar), m_now(now), m_index(std::move(index))
{}

RecordView::RecordView(std::span<const WorkEntry> entries, std::shared_ptr<const DateIndex> index,
                       std::optional<Instant> segmentStart, const ActivityByDay &activityByDay,
                       const ActivityByDay &otherActivity, double goalSeconds,
                       const Calendar &calendar, Instant now)
    : RecordView(entries, std::move(index), segmentStart, activityByDay, goalSeconds, calendar, now)
{
    m_otherActivity = &otherActivity;
}

std::shared_ptr<const RecordView::DateIndex>
RecordView::indexByDate(std::span<const WorkEntry> entries)
{
    Index pointers;
    pointers.reserve(entries.size());
    for (const WorkEntry &e : entries)
        pointers.push_back(&e);
    return indexByDate(std::move(pointers));
}

std::shared_ptr<const RecordView::DateIndex> RecordView::indexByDate(Index entries)
{
    auto index = std::make_shared<DateIndex>();
    index->inOrder = std::move(entries);
    // Compacted in place: each entry either extends the run in date order or is a straggler.
    size_t kept = 0;
    for (const WorkEntry *e : index->inOrder) {
        if (kept == 0 || e->date >= index->inOrder[kept - 1]->date)
            index->inOrder[kept++] = e;
        else
            index->stragglers.push_back(e);
    }
    index->inOrder.resize(kept);
    std::stable_sort(index->stragglers.begin(), index->stragglers.end(), earlier);
    return index;
}

std::pair<RecordView::Index::const_iterator, RecordView::Index::const_iterator>
RecordView::range(const Index &index, const DayInterval &interval)
{
    const auto first = std::partition_point(
        index.begin(), index.end(), [&](const WorkEntry *e) { return e->date < interval.start; });
    const auto last = std::partition_point(
        first, index.end(), [&](const WorkEntry *e) { return e->date < interval.end; });
    return {first, last};
}
