// A Wayland compositor reduced to what the idle tests need, for the notification protocol no
// Debian 12 compositor offers yet:
//   tockly-fake-compositor RUNTIME_DIR NOTIFIER_VERSION
// Offers a seat and ext_idle_notifier_v1 at that version on a socket in RUNTIME_DIR, prints
// "ready SOCKET", then one line per notification made ("notification input 1000": input-only or
// "plain", and the timeout in ms). Reads "idled" and "resumed" lines on standard input and sends
// them to every notification.

#include "ext-idle-notify-v1-server-protocol.h"

#include <wayland-server.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

std::vector<wl_resource *> notifications;

void destroyResource(wl_client *, wl_resource *resource)
{
    wl_resource_destroy(resource);
}

void forget(wl_resource *resource)
{
    std::erase(notifications, resource);
}

const struct ext_idle_notification_v1_interface notificationImpl = {&destroyResource};

void makeNotification(wl_client *client, wl_resource *manager, uint32_t id, uint32_t timeout,
                      bool inputOnly)
{
    wl_resource *n = wl_resource_create(client, &ext_idle_notification_v1_interface,
                                        wl_resource_get_version(manager), id);
    wl_resource_set_implementation(n, &notificationImpl, nullptr, &forget);
    notifications.push_back(n);
    std::printf("notification %s %u\n", inputOnly ? "input" : "plain", timeout);
    std::fflush(stdout);
}

void getIdle(wl_client *c, wl_resource *m, uint32_t id, uint32_t timeout, wl_resource *)
{
    makeNotification(c, m, id, timeout, false);
}

void getInputIdle(wl_client *c, wl_resource *m, uint32_t id, uint32_t timeout, wl_resource *)
{
    makeNotification(c, m, id, timeout, true);
}

const struct ext_idle_notifier_v1_interface notifierImpl = {&destroyResource, &getIdle,
                                                            &getInputIdle};

void bindNotifier(wl_client *client, void *, uint32_t version, uint32_t id)
{
    wl_resource *r = wl_resource_create(client, &ext_idle_notifier_v1_interface, int(version), id);
    wl_resource_set_implementation(r, &notifierImpl, nullptr, nullptr);
}

void getNothing(wl_client *client, wl_resource *seat, uint32_t id)
{
    // Pointers and keyboards are never offered (no capabilities), so these are never asked for.
    wl_resource_post_error(seat, WL_SEAT_ERROR_MISSING_CAPABILITY, "no devices");
    (void)client;
    (void)id;
}

const struct wl_seat_interface seatImpl = {&getNothing, &getNothing, &getNothing, nullptr};

void bindSeat(wl_client *client, void *, uint32_t version, uint32_t id)
{
    wl_resource *r = wl_resource_create(client, &wl_seat_interface, int(version), id);
    wl_resource_set_implementation(r, &seatImpl, nullptr, nullptr);
    wl_seat_send_capabilities(r, 0);
}

int readCommand(int fd, uint32_t, void *data)
{
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer - 1);
    if (n <= 0) {
        wl_display_terminate(static_cast<wl_display *>(data));
        return 0;
    }
    buffer[n] = 0;
    for (wl_resource *r : notifications) {
        if (std::strstr(buffer, "idled"))
            ext_idle_notification_v1_send_idled(r);
        if (std::strstr(buffer, "resumed"))
            ext_idle_notification_v1_send_resumed(r);
    }
    wl_display_flush_clients(static_cast<wl_display *>(data));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    setenv("XDG_RUNTIME_DIR", argv[1], 1);
    wl_display *display = wl_display_create();
    const char *socket = wl_display_add_socket_auto(display);
    if (!socket)
        return 1;
    wl_global_create(display, &wl_seat_interface, 1, nullptr, &bindSeat);
    wl_global_create(display, &ext_idle_notifier_v1_interface, std::atoi(argv[2]), nullptr,
                     &bindNotifier);
    wl_event_loop_add_fd(wl_display_get_event_loop(display), STDIN_FILENO, WL_EVENT_READABLE,
                         &readCommand, display);
    std::printf("ready %s\n", socket);
    std::fflush(stdout);
    wl_display_run(display);
    wl_display_destroy(display);
    return 0;
}
