// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/XInputSource.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace {

// A latest input this much newer than the latest key or button is taken for mouse movement;
// the slack covers the server's whole-millisecond idle reading.
constexpr double motionSlack = 0.05;
// Readings within this time of each other belong to one tick, which asks for several.
constexpr double readingReuse = 0.05;

struct Selection {
    xcb_input_event_mask_t head;
    uint32_t mask;
};

Selection rawSelection(bool motion)
{
    uint32_t mask =
        XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE |
        XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    if (motion)
        mask |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    return {{XCB_INPUT_DEVICE_ALL_MASTER, 1}, mask};
}

bool isModifierKeysym(xcb_keysym_t sym)
{
    switch (sym) {
    case 0xffe1: // Shift_L
    case 0xffe2: // Shift_R
    case 0xffe3: // Control_L
    case 0xffe4: // Control_R
    case 0xffe5: // Caps_Lock
    case 0xffe6: // Shift_Lock
    case 0xffe7: // Meta_L
    case 0xffe8: // Meta_R
    case 0xffe9: // Alt_L
    case 0xffea: // Alt_R
    case 0xffeb: // Super_L
    case 0xffec: // Super_R
    case 0xffed: // Hyper_L
    case 0xffee: // Hyper_R
    case 0xfe03: // ISO_Level3_Shift (AltGr)
    case 0xfe11: // ISO_Level5_Shift
    case 0xff7e: // Mode_switch
        return true;
    default:
        return false;
    }
}

template<typename T> struct Reply {
    T *p = nullptr;
    ~Reply() { std::free(p); }
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

} // namespace

std::unique_ptr<XInputSource> XInputSource::open(const QByteArray &display, QString *why)
{
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return nullptr;
    };
    int screenNumber = 0;
    xcb_connection_t *c =
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return fail(
            QStringLiteral("cannot open the X11 display %1").arg(QString::fromLocal8Bit(display)));
    }
    auto failAndClose = [&](const QString &reason) {
        xcb_disconnect(c);
        return fail(reason);
    };
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return failAndClose(QStringLiteral("the X11 display has no screen"));
    const xcb_window_t root = it.data->root;

    const xcb_query_extension_reply_t *xi = xcb_get_extension_data(c, &xcb_input_id);
    if (!xi || !xi->present)
        return failAndClose(QStringLiteral("the X11 server lacks the XInput extension"));
    Reply<xcb_input_xi_query_version_reply_t> version{
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr)};
    if (!version || version->major_version < 2 ||
        (version->major_version == 2 && version->minor_version < 2))
        return failAndClose(QStringLiteral("the X11 server lacks XInput 2.2"));
    const xcb_query_extension_reply_t *ss = xcb_get_extension_data(c, &xcb_screensaver_id);
    if (!ss || !ss->present)
        return failAndClose(QStringLiteral("the X11 server lacks MIT-SCREEN-SAVER"));

    Selection selection = rawSelection(true);
    if (xcb_generic_error_t *e =
            xcb_request_check(c, xcb_input_xi_select_events_checked(c, root, 1, &selection.head))) {
        std::free(e);
        return failAndClose(QStringLiteral("the X11 server refused raw input events"));
    }
    return std::unique_ptr<XInputSource>(new XInputSource(c, root, xi->major_opcode));
}

XInputSource::XInputSource(xcb_connection_t *connection, unsigned root, quint8 xinputOpcode)
    : m_connection(connection), m_root(root), m_xinputOpcode(xinputOpcode)
{
    loadModifierKeys();
    // What happened before the start is known only as the server's last input.
    const double now = bootSeconds();
    Reply<xcb_screensaver_query_info_reply_t> info{xcb_screensaver_query_info_reply(
        m_connection, xcb_screensaver_query_info(m_connection, m_root), nullptr)};
    m_origin = info ? now - info->ms_since_user_input / 1000.0 : now;
    m_lastNonMotion = m_origin;
    m_motionSelected = true;
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection),
                                                   QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readEvents(); });
    readEvents();
}

XInputSource::~XInputSource()
{
    m_notifier.reset();
    xcb_disconnect(m_connection);
}

void XInputSource::loadModifierKeys()
{
    m_modifierKeys.reset();
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> map{xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr)};
    if (!map)
        return;
    const int perKey = map->keysyms_per_keycode;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map.p);
    const int total = xcb_get_keyboard_mapping_keysyms_length(map.p);
    for (int k = 0; k < count && (k + 1) * perKey <= total; ++k) {
        // The plain and shifted levels: Alt_L and Meta_L often share a key.
        for (int level = 0; level < std::min(perKey, 2); ++level)
            if (isModifierKeysym(syms[k * perKey + level]))
                m_modifierKeys.set(size_t(first + k));
    }
}

void XInputSource::select(bool motion) const
{
    Selection selection = rawSelection(motion);
    xcb_input_xi_select_events(m_connection, m_root, 1, &selection.head);
    xcb_flush(m_connection);
    m_motionSelected = motion;
}

void XInputSource::readEvents() const
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        handle(event);
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection) && m_notifier)
        m_notifier->setEnabled(false);
}

void XInputSource::handle(const void *e) const
{
    const auto *event = static_cast<const xcb_generic_event_t *>(e);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        const auto *m = reinterpret_cast<const xcb_mapping_notify_event_t *>(event);
        if (m->request == XCB_MAPPING_KEYBOARD)
            const_cast<XInputSource *>(this)->loadModifierKeys();
        return;
    }
    if (type != XCB_GE_GENERIC)
        return;
    const auto *ge = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
    if (ge->extension != m_xinputOpcode)
        return;
    // Every raw event type shares the key event's layout up to `flags`.
    const auto *raw = reinterpret_cast<const xcb_input_raw_key_press_event_t *>(event);
    const double now = bootSeconds();
    switch (ge->event_type) {
    case XCB_INPUT_RAW_KEY_PRESS:
        m_lastNonMotion = now;
        if (raw->flags & XCB_INPUT_KEY_EVENT_FLAGS_KEY_REPEAT)
            break;
        if (raw->detail < 256 && m_modifierKeys.test(raw->detail)) {
            ++m_modifiersDown;
            m_tally.count(InputEvent::flagsChanged, now);
        } else {
            m_tally.count(InputEvent::keyDown, now);
        }
        break;
    case XCB_INPUT_RAW_KEY_RELEASE:
        m_lastNonMotion = now;
        // The server passes on releases of keys that are not down (synthetic input sends
        // them); only a release of a held modifier changes anything.
        if (raw->detail < 256 && m_modifierKeys.test(raw->detail) && m_modifiersDown > 0) {
            --m_modifiersDown;
            m_tally.count(InputEvent::flagsChanged, now);
        }
        break;
    case XCB_INPUT_RAW_BUTTON_PRESS:
        m_lastNonMotion = now;
        if (raw->detail == 1)
            m_tally.count(InputEvent::leftMouseDown, now);
        else if (raw->detail == 3)
            m_tally.count(InputEvent::rightMouseDown, now);
        else if (raw->detail >= 4 && raw->detail <= 7)
            m_tally.count(InputEvent::scrollWheel, now);
        else
            m_tally.count(InputEvent::otherMouseDown, now);
        break;
    case XCB_INPUT_RAW_BUTTON_RELEASE:
        m_lastNonMotion = now;
        break;
    case XCB_INPUT_RAW_MOTION:
        // One event shows that the mouse moves; the rest of this tick's would only wake us.
        m_tally.touch(InputEvent::mouseMoved, now);
        if (m_motionSelected)
            select(false);
        break;
    default:
        break;
    }
}

void XInputSource::refreshMotion() const
{
    const auto asked = SleepAwareIdle::Clocks::now();
    if (m_lastReading >= 0 && asked.boot - m_lastReading < readingReuse)
        return;
    m_lastReading = asked.boot;
    readEvents();
    if (m_motionSelected)
        return; // the mouse rested since the last reading
    // It moved: the server's latest input dates the end of that movement, unless a key or
    // button came later. The time is taken before the request, so the derived last input is
    // never later than the real one and a key press is not mistaken for movement.
    Reply<xcb_screensaver_query_info_reply_t> info{xcb_screensaver_query_info_reply(
        m_connection, xcb_screensaver_query_info(m_connection, m_root), nullptr)};
    // Events that arrived while we waited for the reply are queued, not signalled.
    readEvents();
    if (info) {
        // The server's clock stops during sleep.
        const double lastInput = m_sleep.lastInput(info->ms_since_user_input / 1000.0, asked);
        if (lastInput > m_lastNonMotion + motionSlack)
            m_tally.touch(InputEvent::mouseMoved, lastInput);
    }
    select(true);
}

double XInputSource::secondsSinceLastEvent(InputEvent type) const
{
    refreshMotion();
    return m_tally.secondsSince(type, bootSeconds(), m_origin);
}

quint32 XInputSource::eventCounter(InputEvent type) const
{
    readEvents();
    return m_tally.counter(type);
}
