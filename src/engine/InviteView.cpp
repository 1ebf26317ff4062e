// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InviteView.h"

#include "Crews.h"

#include <algorithm>

InviteView::InviteView(Crews &crews, QString code, QObject *parent)
    : QObject(parent), m_crews(&crews), m_code(std::move(code))
{
    connect(&crews, &Crews::crewErrorChanged, this, &InviteView::crewErrorChanged);
}

QString InviteView::crewError() const
{
    return m_crews ? m_crews->crewError() : QString();
}

template<typename Change> void InviteView::changing(Change change)
{
    const bool could = canJoin();
    change();
    if (canJoin() != could)
        emit canJoinChanged();
}

void InviteView::setNickname(const QString &nickname)
{
    if (nickname == m_nickname)
        return;
    changing([&] { m_nickname = nickname; });
    emit nicknameChanged();
}

QString InviteView::trimmedNickname() const
{
    return CrewClient::trimmedNickname(m_nickname);
}

bool InviteView::canJoin() const
{
    return !m_busy && !trimmedNickname().isEmpty();
}

void InviteView::join()
{
    const QString nickname = trimmedNickname();
    if (nickname.isEmpty() || m_busy || !m_crews)
        return;
    changing([&] { m_busy = true; });
    emit busyChanged();
    runJoin(nickname);
}

QCoro::Task<> InviteView::runJoin(QString nickname)
{
    QPointer<InviteView> self(this);
    co_await m_crews->joinCrew(m_code, nickname);
    if (!self)
        co_return;
    changing([&] { m_busy = false; });
    emit busyChanged();
    // Only the list decides: a refused join of a crew already held also ends here as joined.
    const QString code = m_code.toUpper();
    const bool held =
        m_crews && std::any_of(m_crews->crewConfigs().begin(), m_crews->crewConfigs().end(),
                               [&](const CrewClient::Config &c) { return c.code == code; });
    if (held && !m_joined) {
        m_joined = true;
        emit joinedChanged();
    }
}
