#pragma once

#include "RecordView.h"
#include "TestTime.h"

#include <QList>

// The store's state for statistics tests: build it up, then look at it through a RecordView.
struct RecordFixture {
    QList<WorkEntry> entries;
    std::optional<Instant> segmentStart;
    ActivityByDay activity;
    double goalSeconds = 14400;

    void add(Instant date, double seconds, WorkEntry::Kind kind = WorkEntry::Kind::timed)
    {
        entries.append({QUuid::createUuid(), date, seconds, kind});
    }

    RecordView view(const Calendar &calendar, Instant now) const
    {
        return RecordView(entries, segmentStart, activity, goalSeconds, calendar, now);
    }
};
