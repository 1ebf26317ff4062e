// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/EvdevDecoder.h"

#include <cstdlib>

namespace {

bool isButton(unsigned code)
{
    return (code >= BTN_MISC && code < KEY_OK) ||
           (code >= BTN_TRIGGER_HAPPY && code <= BTN_TRIGGER_HAPPY40);
}

} // namespace

bool EvdevDecoder::isModifierKey(unsigned code)
{
    switch (code) {
    case KEY_LEFTSHIFT:
    case KEY_RIGHTSHIFT:
    case KEY_LEFTCTRL:
    case KEY_RIGHTCTRL:
    case KEY_LEFTALT:
    case KEY_RIGHTALT:
    case KEY_LEFTMETA:
    case KEY_RIGHTMETA:
    case KEY_CAPSLOCK:
        return true;
    default:
        return false;
    }
}

void EvdevDecoder::feed(const input_event &event, double at)
{
    if (event.type == EV_SYN) {
        if (event.code == SYN_DROPPED) {
            m_frame = {};
            m_dropping = true;
        } else if (event.code == SYN_REPORT) {
            if (!m_dropping)
                commit(at);
            m_frame = {};
            m_dropping = false;
        }
        return;
    }
    if (m_dropping)
        return;

    switch (event.type) {
    case EV_KEY:
        key(event.code, event.value);
        break;
    case EV_REL:
        if (event.code == REL_WHEEL || event.code == REL_HWHEEL)
            // Widened first: the magnitude of INT_MIN does not fit in an int.
            m_frame.scrolls += quint32(std::abs(qint64(event.value)));
        else if (event.code == REL_X || event.code == REL_Y)
            m_frame.moved = m_frame.moved || event.value != 0;
        break;
    case EV_ABS:
        if (event.code == ABS_X || event.code == ABS_Y || event.code == ABS_MT_POSITION_X ||
            event.code == ABS_MT_POSITION_Y)
            m_frame.moved = true;
        break;
    default:
        break;
    }
}

void EvdevDecoder::key(unsigned code, int value)
{
    if (value == 2 || code == KEY_RESERVED)
        return;
    if (!isButton(code)) {
        if (isModifierKey(code))
            ++m_frame.modifiers;
        else if (value == 1)
            ++m_frame.keys;
        return;
    }
    if (value != 1)
        return;
    if (code == BTN_LEFT)
        ++m_frame.left;
    else if (code == BTN_RIGHT)
        ++m_frame.right;
    else if (code >= BTN_MOUSE && code < BTN_JOYSTICK)
        ++m_frame.other;
    else if (code >= BTN_DIGI && code < BTN_WHEEL)
        m_frame.moved = true; // a finger or pen touching down
}

void EvdevDecoder::commit(double at)
{
    m_tally.count(InputEvent::keyDown, at, m_frame.keys);
    m_tally.count(InputEvent::flagsChanged, at, m_frame.modifiers);
    m_tally.count(InputEvent::leftMouseDown, at, m_frame.left);
    m_tally.count(InputEvent::rightMouseDown, at, m_frame.right);
    m_tally.count(InputEvent::otherMouseDown, at, m_frame.other);
    m_tally.count(InputEvent::scrollWheel, at, m_frame.scrolls);
    if (m_frame.moved)
        m_tally.touch(InputEvent::mouseMoved, at);
}
