// The ES-module form of Tockly's GNOME Shell extension (GNOME 45 and later), loaded by gjs as
// the Shell loads it, against stand-ins for the Shell's own modules; GLib and Gio are real, on
// the session bus of dbus-run-session. One run through: enable, the focused app served, Tockly
// appears with its title and menu and goes, disable undoes everything. What the extension does
// beyond is the imports form's logic, checked under the real Shell (tst_gnome).
//   dbus-run-session -- gjs -m esm-check.js EXTENSION_FOLDER

import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import {app, modules, tracker} from './standins.js';

const [folder] = ARGV;
const decoder = new TextDecoder();

function check(ok, what) {
    if (!ok)
        throw new Error(`failed: ${what}`);
}

// Runs the main loop until `done()` holds, 5 s at most.
function spin(done, what) {
    const end = GLib.get_monotonic_time() + 5_000_000;
    while (!done()) {
        check(GLib.get_monotonic_time() < end, `in time: ${what}`);
        if (!GLib.MainContext.default().iteration(false))
            GLib.usleep(5000);
    }
}

// Every import but Gio and GLib goes to a module of the stand-ins, as the Shell would resolve it.
const source = decoder.decode(GLib.file_get_contents(`${folder}/extension.js`)[1]);
check(!/\bimports\./.test(source), 'no legacy imports in the module form');
const tmp = GLib.dir_make_tmp('tockly-module-XXXXXX');
let shims = 0;
const loadable = source.replace(/from '([^']+)'/g, (all, specifier) => {
    if (specifier === 'gi://Gio' || specifier === 'gi://GLib')
        return all;
    check(specifier in modules, `${specifier} is a module of GNOME Shell 45 and later`);
    const shim = `${tmp}/shim${shims++}.js`;
    const names = Object.keys(modules[specifier]);
    GLib.file_set_contents(shim, [
        `import {modules} from '${import.meta.url.replace(/esm-check\.js$/, 'standins.js')}';`,
        `const m = modules['${specifier}'];`,
        'export default m;',
        ...names.map(name => `export const ${name} = m.${name};`),
    ].join('\n'));
    return `from 'file://${shim}'`;
});
GLib.file_set_contents(`${tmp}/extension.js`, loadable);
const {default: TocklyExtension} = await import(`file://${tmp}/extension.js`);
for (const file of [...Array(shims).keys()].map(i => `shim${i}.js`).concat('extension.js'))
    GLib.unlink(`${tmp}/${file}`);
GLib.rmdir(tmp);
const {Extension} = modules['resource:///org/gnome/shell/extensions/extension.js'];
check(TocklyExtension.prototype instanceof Extension, 'the default export is an Extension');

// A second connection plays Tockly.
const bus = Gio.DBusConnection.new_for_address_sync(
    Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, null),
    Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, null, null);
function call(name, path, iface, method, parameters = null) {
    let reply = null;
    bus.call(name, path, iface, method, parameters, null, 0, -1, null,
        (c, result) => (reply = c.call_finish(result).deepUnpack()));
    spin(() => reply, method);
    return reply;
}
const hasOwner = name => call('org.freedesktop.DBus', '/org/freedesktop/DBus',
    'org.freedesktop.DBus', 'NameHasOwner', new GLib.Variant('(s)', [name]))[0];
const focused = () => call('org.quenby.Tockly.Shell', '/org/quenby/Tockly/Shell',
    'org.quenby.Tockly.Shell', 'FocusedApp');

tracker.focus_app = app('org.quenby.TestPad.desktop', 'Test Pad');
const extension = new TocklyExtension({uuid: 'tockly@quenby.org', path: folder});
extension.enable();
spin(() => hasOwner('org.quenby.Tockly.Shell'), 'the name is owned');
check(focused().join() === 'org.quenby.TestPad,Test Pad', 'the focused app from its desktop file');
const tockly = Gio.DBusExportedObject.wrapJSObject(`<node>
  <interface name="org.quenby.Tockly">
    <property name="Title" type="s" access="read"/>
    <property name="AutoTrackEnabled" type="b" access="read"/>
    <signal name="StatusChanged"><arg type="s"/><arg type="s"/><arg type="b"/></signal>
  </interface></node>`, {
    Title: '1h 5m',
    AutoTrackEnabled: true,
});
tockly.export(bus, '/org/quenby/Tockly');
const name = Gio.bus_own_name_on_connection(bus, 'org.quenby.Tockly', 0, null, null);
const {panel} = modules['resource:///org/gnome/shell/ui/main.js'];
const button = () => panel.statusArea['tockly@quenby.org'];
spin(() => button()?.label.text === '1h 5m', 'the item with the title');
const items = button().menu.items;
check(items.map(i => i.label?.text ?? '-').join() ===
    'Open,History…,Track automatically,-,Quit Tockly', 'the menu');
Gio.bus_unown_name(name);
spin(() => button().destroyed, 'the item goes with Tockly');
extension.disable();
spin(() => !hasOwner('org.quenby.Tockly.Shell'), 'disable gives the name up');
check(tracker.handlerCount === 0 && global.display.handlerCount === 0,
    'disable leaves no handler');
print('the module form loads and runs');
