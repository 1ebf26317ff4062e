// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tockly in GNOME's top bar, and the application in front for Tockly's statistics.
//
// The item mirrors the running Tockly (org.quenby.Tockly on the session bus): its symbol and
// today's title, updated on Tockly's StatusChanged signal, never polled. It exists only while
// Tockly runs. A left click opens Tockly's card, or closes it when it is on the screen; the menu
// offers the tray menu's entries. The card's window is placed under the item and kept out of the
// window switcher and the overview, as a panel's popup is. It is told from Tockly's other windows
// by its title, and only windows of Tockly's own process are asked for one.
//
// While enabled, the extension owns org.quenby.Tockly.Shell and serves there the focused window's
// application as the Shell's window tracker knows it: the desktop-file id and the name the Shell
// shows, or the WM class (the Wayland app id) of a window without a desktop file. Nothing else
// about the window, never its title. Tockly takes that name as the sign to withdraw its own tray
// item, so the AppIndicator extension never shows a second one.
//
// This file is the logic of both forms of the extension: the build puts the imports of GNOME 43
// and 44, or the ES-module imports of GNOME 45 and later, around it; either gives `_`, the
// extension's gettext.

const TOCKLY_NAME = 'org.quenby.Tockly';
const TOCKLY_PATH = '/org/quenby/Tockly';
const TOCKLY_INTERFACE = 'org.quenby.Tockly';
const CARD_TITLE = 'Tockly';
const SHELL_NAME = 'org.quenby.Tockly.Shell';
const SHELL_PATH = '/org/quenby/Tockly/Shell';
// The build puts packaging/dbus/org.quenby.Tockly.Shell.xml here.
const SHELL_INTERFACE = `@SHELL_INTERFACE@`;

// [id, name] of the focused window's application; empty strings when no application has it.
function focusedApp(tracker) {
    const app = tracker.focus_app;
    if (!app)
        return ['', ''];
    if (app.is_window_backed()) {
        // The Shell names such an application after the window's WM class.
        const wmClass = app.get_windows()[0]?.get_wm_class() ?? '';
        return [wmClass, app.get_name() ?? wmClass];
    }
    const id = app.get_id().replace(/\.desktop$/, '');
    return [id, app.get_name() ?? id];
}

const TocklyButton = GObject.registerClass(
class TocklyButton extends PanelMenu.Button {
    _init(iconPath, onClick) {
        super._init(0.5, 'Tockly');
        this._onClick = onClick;
        const box = new St.BoxLayout({style_class: 'panel-status-menu-box'});
        box.add_child(new St.Icon({
            gicon: new Gio.FileIcon({file: Gio.File.new_for_path(iconPath)}),
            style_class: 'system-status-icon',
        }));
        this.label = new St.Label({text: '', y_align: Clutter.ActorAlign.CENTER});
        box.add_child(this.label);
        this.add_child(box);
    }

    // The left button toggles the card; the others open the menu.
    vfunc_event(event) {
        if (event.type() === Clutter.EventType.BUTTON_PRESS &&
            event.get_button() === Clutter.BUTTON_PRIMARY) {
            this._onClick();
            return Clutter.EVENT_STOP;
        }
        return super.vfunc_event(event);
    }
});

class TocklyExtension extends ExtensionBase {
    enable() {
        this._tracker = Shell.WindowTracker.get_default();
        this._focused = focusedApp(this._tracker);
        this._focusHandler = this._tracker.connect('notify::focus-app', () => this._focusMoved());
        this._service = Gio.DBusExportedObject.wrapJSObject(SHELL_INTERFACE, {
            FocusedApp: () => this._focused,
        });
        this._service.export(Gio.DBus.session, SHELL_PATH);
        this._shellName = Gio.bus_own_name_on_connection(Gio.DBus.session, SHELL_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._windowHandler = global.display.connect('window-created',
            (display, window) => this._windowCreated(window));
        this._tocklyWatch = Gio.bus_watch_name_on_connection(Gio.DBus.session, TOCKLY_NAME,
            Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => this._tocklyAppeared(owner),
            () => this._tocklyVanished());
    }

    disable() {
        Gio.bus_unwatch_name(this._tocklyWatch);
        this._tocklyVanished();
        global.display.disconnect(this._windowHandler);
        Gio.bus_unown_name(this._shellName);
        this._service.unexport();
        this._service = null;
        this._tracker.disconnect(this._focusHandler);
        this._tracker = null;
    }

    _focusMoved() {
        const [id, name] = focusedApp(this._tracker);
        if (id === this._focused[0] && name === this._focused[1])
            return;
        this._focused = [id, name];
        this._service.emit_signal('FocusedAppChanged', new GLib.Variant('(ss)', this._focused));
    }

    _tocklyAppeared(owner) {
        this._tocklyVanished();
        this._owner = owner;
        this._cancellable = new Gio.Cancellable();
        this._statusSubscription = Gio.DBus.session.signal_subscribe(owner, TOCKLY_INTERFACE,
            'StatusChanged', TOCKLY_PATH, null, Gio.DBusSignalFlags.NONE,
            (connection, sender, path, iface, signal, parameters) => {
                this._setTitle(parameters.deepUnpack()[0]);
                this._readAutoTrack();
            });
        this._call('org.freedesktop.DBus.Properties', 'GetAll',
            new GLib.Variant('(s)', [TOCKLY_INTERFACE]), reply => {
                const properties = reply.recursiveUnpack()[0];
                this._showButton(properties.Title ?? '',
                    'AutoTrackEnabled' in properties ? properties.AutoTrackEnabled : null);
            });
        this._busCall('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetConnectionUnixProcessID', new GLib.Variant('(s)', [owner]), reply => {
                [this._pid] = reply.deepUnpack();
                for (const actor of global.get_window_actors())
                    this._windowCreated(actor.meta_window);
            });
    }

    _tocklyVanished() {
        if (this._statusSubscription) {
            Gio.DBus.session.signal_unsubscribe(this._statusSubscription);
            this._statusSubscription = 0;
        }
        this._cancellable?.cancel();
        this._cancellable = null;
        this._owner = null;
        this._pid = null;
        this._forgetCard();
        this._button?.destroy();
        this._button = null;
        this._autoTrackItem = null;
    }

    _showButton(title, autoTrack) {
        this._button = new TocklyButton(`${this.path}/tockly-symbolic.svg`,
            () => this._cardClicked());
        const menu = this._button.menu;
        const item = (text, method) => {
            const entry = new PopupMenu.PopupMenuItem(text);
            entry.connect('activate', () => this._call(TOCKLY_INTERFACE, method));
            menu.addMenuItem(entry);
        };
        item(_('Open'), 'ShowCard');
        item(_('History…'), 'ShowHistory');
        item(_('Other computers…'), 'ShowOtherComputers');
        // Only a Tockly that can pause offers the switch.
        if (autoTrack !== null) {
            this._autoTrackItem = new PopupMenu.PopupSwitchMenuItem(_('Track automatically'),
                autoTrack);
            this._autoTrackItem.connect('toggled', (entry, on) =>
                this._call(TOCKLY_INTERFACE, 'SetAutoTrackEnabled', new GLib.Variant('(b)', [on])));
            menu.addMenuItem(this._autoTrackItem);
        }
        menu.addMenuItem(new PopupMenu.PopupSeparatorMenuItem());
        item(_('Quit Tockly'), 'Quit');
        this._setTitle(title);
        Main.panel.addToStatusArea(this.uuid, this._button);
    }

    // Decided here, from the window the person sees at the moment of the click: the click may
    // also take the focus from the card, which closes it before Tockly hears of the click.
    _cardClicked() {
        if (!this._pid)
            this._call(TOCKLY_INTERFACE, 'ToggleCard');
        else
            this._call(TOCKLY_INTERFACE, this._card ? 'HideCard' : 'ShowCard');
    }

    _windowCreated(window) {
        if (!this._pid || window.get_pid() !== this._pid)
            return;
        // A new window's title comes with its first content.
        if (!window.get_title()) {
            const handler = window.connect('notify::title', () => {
                window.disconnect(handler);
                this._windowCreated(window);
            });
            return;
        }
        if (this._card || window.get_title() !== CARD_TITLE)
            return;
        this._card = window;
        // The Shell's switchers and overview leave out skip-taskbar windows, which a Wayland
        // client cannot ask to be.
        Object.defineProperty(window, 'skip_taskbar', {value: true, configurable: true});
        // Mutter places a new window when it first shows it, and the card grows with its content.
        this._cardHandlers = [
            window.connect('shown', () => this._placeCard()),
            window.connect('size-changed', () => this._placeCard()),
            window.connect('unmanaged', () => this._forgetCard()),
        ];
        this._placeCard();
    }

    _forgetCard() {
        if (!this._card)
            return;
        for (const id of this._cardHandlers)
            this._card.disconnect(id);
        delete this._card.skip_taskbar;
        this._card = null;
    }

    // Under the item, within the work area of its monitor.
    _placeCard() {
        const frame = this._card.get_frame_rect();
        if (!this._button || frame.width === 0)
            return;
        const [x, y] = this._button.get_transformed_position();
        const [width, height] = this._button.get_transformed_size();
        const area = Main.layoutManager.getWorkAreaForMonitor(
            Main.layoutManager.findIndexForActor(this._button));
        const clamp = (value, low, high) => Math.max(low, Math.min(value, high));
        const left = clamp(Math.round(x + (width - frame.width) / 2), area.x,
            area.x + area.width - frame.width);
        const top = clamp(Math.round(y + height), area.y, area.y + area.height - frame.height);
        if (left !== frame.x || top !== frame.y)
            this._card.move_frame(true, left, top);
    }

    _setTitle(title) {
        if (this._button)
            this._button.label.text = title;
    }

    _readAutoTrack() {
        if (!this._autoTrackItem)
            return;
        this._call('org.freedesktop.DBus.Properties', 'Get',
            new GLib.Variant('(ss)', [TOCKLY_INTERFACE, 'AutoTrackEnabled']),
            reply => this._autoTrackItem?.setToggleState(reply.recursiveUnpack()[0]));
    }

    // Calls Tockly without waiting; `done` gets the reply unless Tockly went away meanwhile.
    _call(iface, method, parameters = null, done = null) {
        if (this._owner)
            this._busCall(this._owner, TOCKLY_PATH, iface, method, parameters, done);
    }

    // The same for any name on the bus, while Tockly is there.
    _busCall(name, path, iface, method, parameters, done) {
        const cancellable = this._cancellable;
        Gio.DBus.session.call(name, path, iface, method, parameters, null,
            Gio.DBusCallFlags.NONE, -1, cancellable, (connection, result) => {
                try {
                    const reply = connection.call_finish(result);
                    if (done && !cancellable.is_cancelled())
                        done(reply);
                } catch (e) {
                    if (!e.matches(Gio.IOErrorEnum, Gio.IOErrorEnum.CANCELLED))
                        logError(e, `Tockly: ${method}`);
                }
            });
    }
}
