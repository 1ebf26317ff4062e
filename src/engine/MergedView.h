// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MergedRecord.h"
#include "OtherComputers.h"

#include <map>

// The record across this computer and the others, merged a month at a time (mergeWindow()) and
// kept between changes: when one month changes, on this computer or another, that month is
// merged again alone.
class MergedView {
public:
    // This computer's record as the store holds it.
    struct Own {
        std::span<const WorkEntry> entries;
        std::shared_ptr<const RecordView::DateIndex> index;
        std::optional<Instant> segmentStart;
        const ActivityByDay &activity;
        double goalSeconds;
    };

    // The record across computers at `now`. It refers to this object's merged entries and to the
    // activity it is given: it is for one computation, until the next call.
    RecordView view(const Own &own, const OtherComputers &others, const Calendar &calendar,
                    Instant now);

    // Another computer's records between the two instants changed.
    void invalidate(Instant from, Instant to);

private:
    struct Window {
        Instant end = 0;
        MergedWindow merged;
        bool dirty = true;
    };

    void noteOwnChanges(const Own &own);
    bool cover(Instant from, Instant to, const Calendar &calendar);

    std::map<Instant, Window> m_windows; // by start
    QByteArray m_zone;
    std::shared_ptr<const RecordView::DateIndex> m_ownIndex;
    qsizetype m_ownCount = 0;
    std::optional<WorkEntry> m_ownLast;
    std::optional<Instant> m_segmentStart;

    QList<WorkEntry> m_entries;
    std::shared_ptr<const RecordView::DateIndex> m_index;
    std::optional<Instant> m_runningFrom;
};

// Each computer's own worked time on the local day holding `day`: this one's (from its own
// record, `own`) first, then the others' by name.
QList<QPair<QString, double>> computerShares(const RecordView &own, const QString &ownName,
                                             const OtherComputers &others, Instant day);
