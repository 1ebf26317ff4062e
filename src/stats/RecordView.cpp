#include "RecordView.h"

#include <algorithm>

namespace {
bool earlier(const WorkEntry &a, const WorkEntry &b)
{
    return a.date < b.date;
}
} // namespace

RecordView::RecordView(std::span<const WorkEntry> entries, std::optional<Instant> segmentStart,
                       const ActivityByDay &activityByDay, double goalSeconds,
                       const Calendar &calendar, Instant now)
    : m_entries(entries), m_segmentStart(segmentStart), m_activity(activityByDay),
      m_goalSeconds(goalSeconds), m_calendar(calendar), m_now(now)
{
    if (std::is_sorted(entries.begin(), entries.end(), earlier)) {
        m_byDate = entries;
    } else {
        m_sortedCopy.assign(entries.begin(), entries.end());
        std::stable_sort(m_sortedCopy.begin(), m_sortedCopy.end(), earlier);
        m_byDate = m_sortedCopy;
    }
}

std::span<const WorkEntry> RecordView::inInterval(const DayInterval &interval) const
{
    const auto first =
        std::partition_point(m_byDate.begin(), m_byDate.end(),
                             [&](const WorkEntry &e) { return e.date < interval.start; });
    const auto last = std::partition_point(
        first, m_byDate.end(), [&](const WorkEntry &e) { return e.date < interval.end; });
    return {first, last};
}
