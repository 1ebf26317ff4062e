// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/DataControlClipboard.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <vector>

namespace {

// The plain-text types, best first: UTF-8 as Wayland names it, then as X11 names it.
const char *const textTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"};

struct Offer {
    zwlr_data_control_offer_v1 *proxy;
    std::vector<QByteArray> types;
};

// The offers announced on one data device, and which of them is the selection.
struct Device {
    std::vector<std::unique_ptr<Offer>> offers;
    Offer *selection = nullptr;

    ~Device()
    {
        for (auto &offer : offers)
            zwlr_data_control_offer_v1_destroy(offer->proxy);
    }
};

void offerType(void *data, zwlr_data_control_offer_v1 *, const char *type)
{
    static_cast<Offer *>(data)->types.emplace_back(type);
}
const zwlr_data_control_offer_v1_listener offerListener = {&offerType};

void dataOffer(void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *proxy)
{
    auto offer = std::make_unique<Offer>(Offer{proxy, {}});
    zwlr_data_control_offer_v1_add_listener(proxy, &offerListener, offer.get());
    static_cast<Device *>(data)->offers.push_back(std::move(offer));
}

void selection(void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *proxy)
{
    auto *device = static_cast<Device *>(data);
    device->selection = nullptr;
    for (auto &offer : device->offers)
        if (offer->proxy == proxy)
            device->selection = offer.get();
}

void finished(void *, zwlr_data_control_device_v1 *) {}
void primarySelection(void *, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *) {}

const zwlr_data_control_device_v1_listener deviceListener = {&dataOffer, &selection, &finished,
                                                             &primarySelection};

// Reads what the owner writes until it closes its end, within the deadline and the size limit.
QByteArray readAll(int fd, QDeadlineTimer deadline, qsizetype maxBytes)
{
    QByteArray data;
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return {};
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            return {};
        if (n == 0)
            return data;
        data.append(buffer, n);
        if (data.size() > maxBytes)
            return {};
    }
}

} // namespace

std::unique_ptr<DataControlClipboard> DataControlClipboard::open(const QByteArray &socket)
{
    auto connection = WaylandConnection::open(socket);
    if (!connection || !connection->seat() ||
        !connection->version(zwlr_data_control_manager_v1_interface.name))
        return nullptr;
    return std::unique_ptr<DataControlClipboard>(new DataControlClipboard(std::move(connection)));
}

DataControlClipboard::DataControlClipboard(std::unique_ptr<WaylandConnection> connection)
    : m_connection(std::move(connection))
{}

QString DataControlClipboard::text(int timeoutMs, qsizetype maxBytes)
{
    const QDeadlineTimer deadline(timeoutMs);
    auto *manager = static_cast<zwlr_data_control_manager_v1 *>(
        m_connection->bind(&zwlr_data_control_manager_v1_interface, 1));
    if (!manager)
        return {};
    zwlr_data_control_device_v1 *proxy =
        zwlr_data_control_manager_v1_get_data_device(manager, m_connection->seat());
    QByteArray data;
    {
        Device device;
        zwlr_data_control_device_v1_add_listener(proxy, &deviceListener, &device);
        // A new device is told the current selection at once.
        int fds[2];
        if (m_connection->roundtrip() && device.selection && pipe2(fds, O_CLOEXEC) == 0) {
            const auto &types = device.selection->types;
            for (const char *type : textTypes) {
                if (std::find(types.begin(), types.end(), type) == types.end())
                    continue;
                zwlr_data_control_offer_v1_receive(device.selection->proxy, type, fds[1]);
                m_connection->flush();
                break;
            }
            // Once the compositor has passed our end on, the owner's close ends the read.
            close(fds[1]);
            data = readAll(fds[0], deadline, maxBytes);
            close(fds[0]);
        }
        zwlr_data_control_device_v1_destroy(proxy);
    }
    zwlr_data_control_manager_v1_destroy(manager);
    m_connection->flush();
    return QString::fromUtf8(data);
}
