// Stand-ins for the GNOME Shell modules that Tockly's extension imports, under the specifiers
// GNOME 45 and later resolve: just enough of each for the extension to run, and to see what it
// did. GLib and Gio are not stood in for.

let lastHandler = 0;

class Signals {
    connect(name, handler) {
        (this._handlers ??= new Map()).set(++lastHandler, [name, handler]);
        return lastHandler;
    }

    disconnect(id) {
        this._handlers.delete(id);
    }

    emit(name, ...args) {
        for (const [signal, handler] of [...this._handlers?.values() ?? []]) {
            if (signal === name)
                handler(this, ...args);
        }
    }

    get handlerCount() {
        return this._handlers?.size ?? 0;
    }
}

class Actor extends Signals {
    constructor(properties = {}) {
        super();
        Object.assign(this, properties);
        this.children = [];
    }

    add_child(child) {
        this.children.push(child);
    }

    destroy() {
        this.destroyed = true;
    }
}

class Button extends Actor {
    _init(alignment, name) {
        this.accessible_name = name;
        this.menu = {items: [], addMenuItem(item) { this.items.push(item); }};
    }
}

class PopupMenuItem extends Actor {
    constructor(text) {
        super();
        this.label = {text};
    }
}

class PopupSwitchMenuItem extends PopupMenuItem {
    constructor(text, state) {
        super(text);
        this.state = state;
    }

    setToggleState(state) {
        this.state = state;
    }
}

class Extension {
    constructor(metadata) {
        this.metadata = metadata;
    }

    get uuid() {
        return this.metadata.uuid;
    }

    get path() {
        return this.metadata.path;
    }
}

export const tracker = new Signals();
tracker.focus_app = null;

// The Shell's global object: a display without windows.
globalThis.global = {display: new Signals(), get_window_actors: () => []};

// A Shell.App: from a desktop file, or standing for a window without one.
export function app(id, name, wmClass = null) {
    return {
        get_id: () => id,
        get_name: () => name,
        is_window_backed: () => wmClass !== null,
        get_windows: () => [{get_wm_class: () => wmClass, get_title: () => 'secret notes'}],
    };
}

export const modules = {
    'gi://GObject': {
        // The class as it is, its _init run on construction.
        registerClass: klass => class extends klass {
            constructor(...args) {
                super();
                this._init(...args);
            }
        },
    },
    'gi://St': {BoxLayout: Actor, Icon: Actor, Label: Actor},
    'gi://Clutter': {
        ActorAlign: {CENTER: 3},
        EventType: {BUTTON_PRESS: 4},
        BUTTON_PRIMARY: 1,
        EVENT_STOP: true,
        EVENT_PROPAGATE: false,
    },
    'gi://Shell': {WindowTracker: {get_default: () => tracker}},
    'resource:///org/gnome/shell/ui/main.js': {
        panel: {
            statusArea: {},
            addToStatusArea(role, indicator) {
                if (this.statusArea[role] && !this.statusArea[role].destroyed)
                    throw new Error(`there is already a status indicator for role ${role}`);
                this.statusArea[role] = indicator;
                return indicator;
            },
        },
    },
    'resource:///org/gnome/shell/ui/panelMenu.js': {Button},
    'resource:///org/gnome/shell/ui/popupMenu.js': {
        PopupMenuItem,
        PopupSwitchMenuItem,
        PopupSeparatorMenuItem: class extends Actor {},
    },
    'resource:///org/gnome/shell/extensions/extension.js': {Extension},
};
