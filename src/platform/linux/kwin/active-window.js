// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loaded into KWin by Tockly over DBus. Tells Tockly which application has the focus: the active
// window's desktop file name and resource class, never its caption or contents.

function text(value) {
    if (value === undefined || value === null)
        return "";
    // KWin 5 hands QByteArray properties to scripts as ArrayBuffers. Read byte by byte: the
    // engine's Function.apply sees no elements in a typed array. The bytes are UTF-8.
    if (value instanceof ArrayBuffer) {
        var bytes = new Uint8Array(value);
        var escaped = "";
        for (var i = 0; i < bytes.length; ++i)
            escaped += (bytes[i] < 16 ? "%0" : "%") + bytes[i].toString(16);
        try {
            return decodeURIComponent(escaped);
        } catch (e) { // not UTF-8: better no name than a wrong one
            return "";
        }
    }
    return String(value);
}

function report(window) {
    callDBus("org.quenby.Tockly", "/org/quenby/Tockly/KWin", "org.quenby.Tockly.KWin",
             "Activated", window ? text(window.desktopFileName) : "",
             window ? text(window.resourceClass) : "");
}

if (workspace.windowActivated) { // KWin 6
    workspace.windowActivated.connect(report);
    report(workspace.activeWindow);
} else { // KWin 5
    workspace.clientActivated.connect(report);
    report(workspace.activeClient);
}
