// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SeatInput.h"

void SeatInput::addDevice(const QString &node, const QString &seat, int fd)
{
    removeDevice(node);
    auto &source = m_seats[seat];
    if (!source)
        source = std::make_unique<EvdevInputSource>();
    source->addDevice(node, fd);
    m_seatOfNode[node] = seat;
}

void SeatInput::removeDevice(const QString &node)
{
    const auto it = m_seatOfNode.find(node);
    if (it == m_seatOfNode.end())
        return;
    m_seats[it->second]->removeDevice(node);
    m_seatOfNode.erase(it);
}

const EvdevInputSource *SeatInput::seat(const QString &name) const
{
    const auto it = m_seats.find(name);
    return it == m_seats.end() ? nullptr : it->second.get();
}

int SeatInput::deviceCount() const
{
    int n = 0;
    for (const auto &[name, source] : m_seats)
        n += source->deviceCount();
    return n;
}
