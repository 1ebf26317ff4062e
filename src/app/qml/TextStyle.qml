// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

pragma Singleton
import QtQuick

// The text styles, in points (one point is one device-independent pixel).
QtObject {
    readonly property int title2: 19
    readonly property int title3: 16
    readonly property int headline: 14
    readonly property int body: 13
    readonly property int callout: 13
    readonly property int subheadline: 12
    readonly property int caption: 11
    readonly property int caption2: 10
}
