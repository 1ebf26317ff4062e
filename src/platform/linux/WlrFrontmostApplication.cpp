// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/WlrFrontmostApplication.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <cstring>

struct ToplevelListeners {
    using Self = WlrFrontmostApplication;
    using Handle = zwlr_foreign_toplevel_handle_v1;

    static void toplevel(void *data, zwlr_foreign_toplevel_manager_v1 *, Handle *handle)
    {
        auto *self = static_cast<Self *>(data);
        auto t = std::make_unique<Self::Toplevel>();
        t->handle = handle;
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &ToplevelListeners::handle, self);
        self->m_toplevels.push_back(std::move(t));
    }
    static void finished(void *data, zwlr_foreign_toplevel_manager_v1 *)
    {
        auto *self = static_cast<Self *>(data);
        zwlr_foreign_toplevel_manager_v1_destroy(self->m_manager);
        self->m_manager = nullptr;
    }

    static void title(void *, Handle *, const char *) {}
    static void appId(void *data, Handle *handle, const char *appId)
    {
        if (auto *t = static_cast<Self *>(data)->find(handle))
            t->pendingAppId = QString::fromUtf8(appId);
    }
    static void output(void *, Handle *, wl_output *) {}
    static void state(void *data, Handle *handle, wl_array *states)
    {
        Self::Toplevel *t = static_cast<Self *>(data)->find(handle);
        if (!t)
            return;
        t->pendingActivated = false;
        const auto *values = static_cast<const uint32_t *>(states->data);
        for (size_t i = 0; i < states->size / sizeof(uint32_t); ++i)
            if (values[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)
                t->pendingActivated = true;
    }
    // Properties take effect together, at the end of each batch.
    static void done(void *data, Handle *handle)
    {
        if (Self::Toplevel *t = static_cast<Self *>(data)->find(handle)) {
            t->appId = t->pendingAppId;
            t->activated = t->pendingActivated;
        }
    }
    static void closed(void *data, Handle *handle)
    {
        auto &all = static_cast<Self *>(data)->m_toplevels;
        std::erase_if(all, [handle](const auto &t) { return t->handle == handle; });
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
    }
    static void parent(void *, Handle *, Handle *) {}

    static constexpr zwlr_foreign_toplevel_manager_v1_listener manager{&toplevel, &finished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener handle{
        &title, &appId, &output, &output, &state, &done, &closed, &parent};
};

std::unique_ptr<WlrFrontmostApplication>
WlrFrontmostApplication::open(std::shared_ptr<WaylandConnection> connection,
                              DesktopEntryNames names)
{
    auto *manager = static_cast<zwlr_foreign_toplevel_manager_v1 *>(
        connection->bind(&zwlr_foreign_toplevel_manager_v1_interface, 3));
    if (!manager)
        return nullptr;
    std::unique_ptr<WlrFrontmostApplication> f(
        new WlrFrontmostApplication(std::move(connection), manager, std::move(names)));
    zwlr_foreign_toplevel_manager_v1_add_listener(manager, &ToplevelListeners::manager, f.get());
    // The existing toplevels, then their properties.
    f->m_connection->roundtrip();
    f->m_connection->roundtrip();
    return f;
}

WlrFrontmostApplication::WlrFrontmostApplication(std::shared_ptr<WaylandConnection> connection,
                                                 zwlr_foreign_toplevel_manager_v1 *manager,
                                                 DesktopEntryNames names)
    : m_connection(std::move(connection)), m_manager(manager), m_names(std::move(names))
{}

WlrFrontmostApplication::~WlrFrontmostApplication()
{
    for (const auto &t : m_toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
    if (m_manager) {
        zwlr_foreign_toplevel_manager_v1_stop(m_manager);
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    }
    m_connection->flush();
}

WlrFrontmostApplication::Toplevel *
WlrFrontmostApplication::find(zwlr_foreign_toplevel_handle_v1 *handle)
{
    for (const auto &t : m_toplevels)
        if (t->handle == handle)
            return t.get();
    return nullptr;
}

std::optional<FrontmostApplication> WlrFrontmostApplication::query() const
{
    if (!m_connection->isConnected())
        return std::nullopt;
    for (const auto &t : m_toplevels) {
        if (!t->activated)
            continue;
        FrontmostApplication app;
        if (!t->appId.isEmpty()) {
            app.identifier = t->appId;
            app.displayName = m_names.nameFor(t->appId, t->appId).value_or(t->appId);
        }
        return app;
    }
    return std::nullopt;
}
