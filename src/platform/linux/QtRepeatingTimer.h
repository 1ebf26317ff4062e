// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RepeatingTimer.h"

#include <QTimer>

// A RepeatingTimer on the Qt event loop.
class QtRepeatingTimer final : public RepeatingTimer {
    Q_OBJECT
public:
    explicit QtRepeatingTimer(QObject *parent = nullptr);

    void start(double intervalSeconds, double toleranceSeconds) override;
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
