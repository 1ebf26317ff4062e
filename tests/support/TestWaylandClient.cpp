// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A Wayland application window as small as it gets, for the compositor tests:
//   tockly-test-wayland-client APP_ID TITLE
// Maps one 64×64 window with that app_id and title (WAYLAND_DISPLAY and XDG_RUNTIME_DIR name the
// compositor), prints "mapped" once the compositor has shown it, and runs until killed.
//   tockly-test-wayland-client --launcher APP_ID
// A launcher as a user clicks it: a window that asks to be maximized (app_id "launcher"); it
// prints "mapped" once shown and "pointed at" once the pointer is over it. Clicked, it asks the
// compositor for an activation token for the program APP_ID with its seat, the click's serial
// and its surface, and prints the token, which a launcher hands to the program in
// XDG_ACTIVATION_TOKEN. Where the compositor takes input from clients (wlroots' virtual pointer,
// KWin's fake input) it clicks the middle of the output itself; elsewhere the test points there
// and clicks. It runs until killed, as a browser whose link was clicked stays open.

#include "fake-input-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

wl_compositor *compositor = nullptr;
wl_shm *shm = nullptr;
xdg_wm_base *wmBase = nullptr;
xdg_activation_v1 *activation = nullptr;
wl_seat *seat = nullptr;
wl_output *output = nullptr;
zwlr_virtual_pointer_manager_v1 *virtualPointers = nullptr;
org_kde_kwin_fake_input *fakeInput = nullptr;
wl_surface *surface = nullptr;
bool launcher = false;
bool configured = false;
int width = 0, height = 0; // as the compositor asks; 0 leaves it to us
int outputWidth = 0, outputHeight = 0;
bool entered = false;
uint32_t pressSerial = 0; // of the first button press on our surface; 0 before

template<typename T>
void bind(T **global, wl_registry *registry, uint32_t name, const char *interface,
          const wl_interface &wanted, uint32_t version = 1)
{
    if (!std::strcmp(interface, wanted.name))
        *global = static_cast<T *>(wl_registry_bind(registry, name, &wanted, version));
}

void global(void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    bind(&compositor, registry, name, interface, wl_compositor_interface);
    bind(&shm, registry, name, interface, wl_shm_interface);
    bind(&wmBase, registry, name, interface, xdg_wm_base_interface);
    bind(&activation, registry, name, interface, xdg_activation_v1_interface);
    if (!launcher)
        return;
    bind(&seat, registry, name, interface, wl_seat_interface);
    bind(&output, registry, name, interface, wl_output_interface);
    bind(&virtualPointers, registry, name, interface, zwlr_virtual_pointer_manager_v1_interface);
    if (version >= 3) // absolute motion
        bind(&fakeInput, registry, name, interface, org_kde_kwin_fake_input_interface, 3);
}
void globalRemove(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener = {&global, &globalRemove};

void ping(void *, xdg_wm_base *base, uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}
const xdg_wm_base_listener wmBaseListener = {&ping};

void surfaceConfigure(void *, xdg_surface *xdgSurface, uint32_t serial)
{
    xdg_surface_ack_configure(xdgSurface, serial);
    configured = true;
}
const xdg_surface_listener surfaceListener = {&surfaceConfigure};

// Listeners gain events with each protocol release; all bound at version 1, only the first ones
// ever come, and the rest stay null.
const xdg_toplevel_listener toplevelListener = [] {
    xdg_toplevel_listener l{};
    l.configure = [](void *, xdg_toplevel *, int32_t w, int32_t h, wl_array *) {
        width = w;
        height = h;
    };
    l.close = [](void *, xdg_toplevel *) {};
    return l;
}();

const wl_pointer_listener pointerListener = [] {
    wl_pointer_listener l{};
    l.enter = [](void *, wl_pointer *, uint32_t, wl_surface *s, wl_fixed_t, wl_fixed_t) {
        entered = s == surface;
    };
    l.leave = [](void *, wl_pointer *, uint32_t, wl_surface *) { entered = false; };
    l.motion = [](void *, wl_pointer *, uint32_t, wl_fixed_t, wl_fixed_t) {};
    l.button = [](void *, wl_pointer *, uint32_t serial, uint32_t, uint32_t, uint32_t state) {
        if (entered && state == WL_POINTER_BUTTON_STATE_PRESSED && !pressSerial)
            pressSerial = serial;
    };
    l.axis = [](void *, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) {};
    return l;
}();

const wl_seat_listener seatListener = [] {
    wl_seat_listener l{};
    l.capabilities = [](void *, wl_seat *s, uint32_t capabilities) {
        static wl_pointer *pointer = nullptr;
        if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer) {
            pointer = wl_seat_get_pointer(s);
            wl_pointer_add_listener(pointer, &pointerListener, nullptr);
        }
    };
    return l;
}();

const wl_output_listener outputListener = [] {
    wl_output_listener l{};
    l.geometry = [](void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
                    const char *, int32_t) {};
    l.mode = [](void *, wl_output *, uint32_t flags, int32_t w, int32_t h, int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            outputWidth = w;
            outputHeight = h;
        }
    };
    return l;
}();

// A new memory file reads as zeros: black.
wl_buffer *blackBuffer(int w, int h)
{
    const int stride = w * 4, size = stride * h;
    const int fd = memfd_create("tockly-test-buffer", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return nullptr;
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer *buffer = wl_shm_pool_create_buffer(pool, 0, w, h, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

uint32_t milliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint32_t(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

// Once the pointer is over our window: says so.
bool pointedAt(wl_display *display)
{
    while (!entered)
        if (wl_display_dispatch(display) < 0)
            return false;
    std::printf("pointed at\n");
    std::fflush(stdout);
    return true;
}

// A left click in the middle of the output, through the input device the compositor lends to
// clients; false when it lends none.
bool clickTheMiddle(wl_display *display)
{
    zwlr_virtual_pointer_v1 *pointer = nullptr;
    if (virtualPointers)
        pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(virtualPointers, seat);
    else if (fakeInput)
        org_kde_kwin_fake_input_authenticate(fakeInput, "tockly test", "clicks the launcher");
    else
        return false;
    // The seat gains a pointer with the new device: ours is asked for before the pointer moves.
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    if (pointer) {
        zwlr_virtual_pointer_v1_motion_absolute(pointer, milliseconds(), 1, 1, 2, 2);
        zwlr_virtual_pointer_v1_frame(pointer);
    } else {
        org_kde_kwin_fake_input_pointer_motion_absolute(
            fakeInput, wl_fixed_from_int(outputWidth / 2), wl_fixed_from_int(outputHeight / 2));
    }
    if (!pointedAt(display))
        return false;
    for (const uint32_t state : {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED})
        if (pointer) {
            zwlr_virtual_pointer_v1_button(pointer, milliseconds(), BTN_LEFT, state);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else {
            org_kde_kwin_fake_input_button(fakeInput, BTN_LEFT, state);
        }
    return true;
}

void tokenDone(void *, xdg_activation_token_v1 *, const char *token)
{
    std::printf("%s\n", token);
    std::fflush(stdout);
}
const xdg_activation_token_v1_listener tokenListener = {&tokenDone};

} // namespace

int main(int argc, char *argv[])
{
    launcher = argc == 3 && !std::strcmp(argv[1], "--launcher");
    wl_display *display = wl_display_connect(nullptr);
    if (!display || argc != 3)
        return 1;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!compositor || !shm || !wmBase || (launcher && (!seat || !activation)))
        return 1;
    xdg_wm_base_add_listener(wmBase, &wmBaseListener, nullptr);
    if (seat)
        wl_seat_add_listener(seat, &seatListener, nullptr);
    if (output)
        wl_output_add_listener(output, &outputListener, nullptr);
    surface = wl_compositor_create_surface(compositor);
    xdg_surface *xdgSurface = xdg_wm_base_get_xdg_surface(wmBase, surface);
    xdg_surface_add_listener(xdgSurface, &surfaceListener, nullptr);
    xdg_toplevel *toplevel = xdg_surface_get_toplevel(xdgSurface);
    xdg_toplevel_add_listener(toplevel, &toplevelListener, nullptr);
    xdg_toplevel_set_app_id(toplevel, launcher ? "launcher" : argv[1]);
    xdg_toplevel_set_title(toplevel, launcher ? "launcher" : argv[2]);
    if (launcher)
        xdg_toplevel_set_maximized(toplevel);
    wl_surface_commit(surface);
    while (!configured)
        if (wl_display_dispatch(display) < 0)
            return 1;
    if (!launcher)
        width = height = 64;
    else if (width <= 0 || height <= 0)
        width = 400, height = 300;
    wl_surface_attach(surface, blackBuffer(width, height), 0, 0);
    wl_surface_commit(surface);
    wl_display_roundtrip(display);
    std::printf("mapped\n");
    std::fflush(stdout);
    if (launcher) {
        if (!clickTheMiddle(display) && !pointedAt(display))
            return 1;
        while (!pressSerial)
            if (wl_display_dispatch(display) < 0)
                return 1;
        xdg_activation_token_v1 *token = xdg_activation_v1_get_activation_token(activation);
        xdg_activation_token_v1_add_listener(token, &tokenListener, nullptr);
        xdg_activation_token_v1_set_serial(token, pressSerial, seat);
        xdg_activation_token_v1_set_surface(token, surface);
        xdg_activation_token_v1_set_app_id(token, argv[2]);
        xdg_activation_token_v1_commit(token);
    }
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
