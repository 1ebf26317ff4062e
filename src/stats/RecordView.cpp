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
    : m_entries(entries), m_segmentStart(segmentStart), m_activity(activityByDay),
      m_goalSeconds(goalSeconds), m_calendar(calendar), m_now(now)
{
    m_inOrder.reserve(entries.size());
    for (const WorkEntry &e : entries) {
        if (m_inOrder.empty() || e.date >= m_inOrder.back()->date)
            m_inOrder.push_back(&e);
        else
            m_stragglers.push_back(&e);
    }
    std::stable_sort(m_stragglers.begin(), m_stragglers.end(), earlier);
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
