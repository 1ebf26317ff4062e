// A Wayland application window as small as it gets, for the compositor tests:
//   tockly-test-wayland-client APP_ID TITLE
// Maps one 64×64 window with that app_id and title (WAYLAND_DISPLAY and XDG_RUNTIME_DIR name the
// compositor), prints "mapped" once the compositor has shown it, and runs until killed.
//   tockly-test-wayland-client --activation-token
// Prints a new xdg-activation token, as a launcher hands one to the program it starts.

#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

wl_compositor *compositor = nullptr;
wl_shm *shm = nullptr;
xdg_wm_base *wmBase = nullptr;
xdg_activation_v1 *activation = nullptr;
bool configured = false;

template<typename T>
void bind(T **global, wl_registry *registry, uint32_t name, const char *interface,
          const wl_interface &wanted)
{
    if (!std::strcmp(interface, wanted.name))
        *global = static_cast<T *>(wl_registry_bind(registry, name, &wanted, 1));
}

void global(void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    bind(&compositor, registry, name, interface, wl_compositor_interface);
    bind(&shm, registry, name, interface, wl_shm_interface);
    bind(&wmBase, registry, name, interface, xdg_wm_base_interface);
    bind(&activation, registry, name, interface, xdg_activation_v1_interface);
}
void globalRemove(void *, wl_registry *, uint32_t) {}
const wl_registry_listener registryListener = {&global, &globalRemove};

void ping(void *, xdg_wm_base *base, uint32_t serial)
{
    xdg_wm_base_pong(base, serial);
}
const xdg_wm_base_listener wmBaseListener = {&ping};

void surfaceConfigure(void *, xdg_surface *surface, uint32_t serial)
{
    xdg_surface_ack_configure(surface, serial);
    configured = true;
}
const xdg_surface_listener surfaceListener = {&surfaceConfigure};

// A new memory file reads as zeros: black.
wl_buffer *blackBuffer(int width, int height)
{
    const int stride = width * 4, size = stride * height;
    const int fd = memfd_create("tockly-test-buffer", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return nullptr;
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer *buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void tokenDone(void *, xdg_activation_token_v1 *, const char *token)
{
    std::printf("%s\n", token);
}
const xdg_activation_token_v1_listener tokenListener = {&tokenDone};

} // namespace

int main(int argc, char *argv[])
{
    const bool tokenOnly = argc == 2 && !std::strcmp(argv[1], "--activation-token");
    wl_display *display = wl_display_connect(nullptr);
    if (!display || (argc != 3 && !tokenOnly))
        return 1;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (tokenOnly) {
        if (!activation)
            return 1;
        xdg_activation_token_v1 *token = xdg_activation_v1_get_activation_token(activation);
        xdg_activation_token_v1_add_listener(token, &tokenListener, nullptr);
        xdg_activation_token_v1_commit(token);
        wl_display_roundtrip(display);
        return 0;
    }
    if (!compositor || !shm || !wmBase)
        return 1;
    xdg_wm_base_add_listener(wmBase, &wmBaseListener, nullptr);
    // The toplevel's own events (size, close) need no answer.
    wl_surface *surface = wl_compositor_create_surface(compositor);
    xdg_surface *xdgSurface = xdg_wm_base_get_xdg_surface(wmBase, surface);
    xdg_surface_add_listener(xdgSurface, &surfaceListener, nullptr);
    xdg_toplevel *toplevel = xdg_surface_get_toplevel(xdgSurface);
    xdg_toplevel_set_app_id(toplevel, argv[1]);
    xdg_toplevel_set_title(toplevel, argv[2]);
    wl_surface_commit(surface);
    while (!configured)
        if (wl_display_dispatch(display) < 0)
            return 1;
    wl_surface_attach(surface, blackBuffer(64, 64), 0, 0);
    wl_surface_commit(surface);
    wl_display_roundtrip(display);
    std::printf("mapped\n");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
