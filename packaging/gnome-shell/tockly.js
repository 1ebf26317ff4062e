// Tockly in GNOME's top bar, and the application in front for Tockly's statistics.
//
// The item mirrors the running Tockly (org.quenby.Tockly on the session bus): its symbol and
// today's title, updated on Tockly's StatusChanged signal, never polled. It exists only while
// Tockly runs. A left click toggles Tockly's card; the menu offers the tray menu's entries.
//
// While enabled, the extension owns org.quenby.Tockly.Shell and serves there the focused window's
// application as the Shell's window tracker knows it: the desktop-file id and the name the Shell
// shows, or the WM class (the Wayland app id) of a window without a desktop file. Nothing else
// about the window, never its title. Tockly takes that name as the sign to withdraw its own tray
// item, so the AppIndicator extension never shows a second one.
//
// This file is the logic of both forms of the extension: the build puts the imports of GNOME 43
// and 44, or the ES-module imports of GNOME 45 and later, around it.

const TOCKLY_NAME = 'org.quenby.Tockly';
const TOCKLY_PATH = '/org/quenby/Tockly';
const TOCKLY_INTERFACE = 'org.quenby.Tockly';
const SHELL_NAME = 'org.quenby.Tockly.Shell';
const SHELL_PATH = '/org/quenby/Tockly/Shell';
const SHELL_INTERFACE = `<node>
  <interface name="org.quenby.Tockly.Shell">
    <method name="FocusedApp">
      <arg type="s" name="id" direction="out"/>
      <arg type="s" name="name" direction="out"/>
    </method>
    <signal name="FocusedAppChanged">
      <arg type="s" name="id"/>
      <arg type="s" name="name"/>
    </signal>
  </interface>
</node>`;

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
        this._tocklyWatch = Gio.bus_watch_name_on_connection(Gio.DBus.session, TOCKLY_NAME,
            Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => this._tocklyAppeared(owner),
            () => this._tocklyVanished());
    }

    disable() {
        Gio.bus_unwatch_name(this._tocklyWatch);
        this._tocklyVanished();
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
    }

    _tocklyVanished() {
        if (this._statusSubscription) {
            Gio.DBus.session.signal_unsubscribe(this._statusSubscription);
            this._statusSubscription = 0;
        }
        this._cancellable?.cancel();
        this._cancellable = null;
        this._owner = null;
        this._button?.destroy();
        this._button = null;
        this._autoTrackItem = null;
    }

    _showButton(title, autoTrack) {
        this._button = new TocklyButton(`${this.path}/tockly-symbolic.svg`,
            () => this._call(TOCKLY_INTERFACE, 'ToggleCard'));
        const menu = this._button.menu;
        const item = (text, method) => {
            const entry = new PopupMenu.PopupMenuItem(text);
            entry.connect('activate', () => this._call(TOCKLY_INTERFACE, method));
            menu.addMenuItem(entry);
        };
        item('Open', 'ShowCard');
        item('History…', 'ShowHistory');
        item('Other computers…', 'ShowOtherComputers');
        // Only a Tockly that can pause offers the switch.
        if (autoTrack !== null) {
            this._autoTrackItem = new PopupMenu.PopupSwitchMenuItem('Track automatically',
                autoTrack);
            this._autoTrackItem.connect('toggled', (entry, on) =>
                this._call(TOCKLY_INTERFACE, 'SetAutoTrackEnabled', new GLib.Variant('(b)', [on])));
            menu.addMenuItem(this._autoTrackItem);
        }
        menu.addMenuItem(new PopupMenu.PopupSeparatorMenuItem());
        item('Quit Tockly', 'Quit');
        this._setTitle(title);
        Main.panel.addToStatusArea(this.uuid, this._button);
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
        if (!this._owner)
            return;
        const cancellable = this._cancellable;
        Gio.DBus.session.call(this._owner, TOCKLY_PATH, iface, method, parameters, null,
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
