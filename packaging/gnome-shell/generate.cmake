# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes one form of the GNOME Shell extension from its single source and the bus interface it
# serves:
#   cmake -DFORM=imports|module -DSOURCE=tockly.js -DINTERFACE=org.quenby.Tockly.Shell.xml
#         -DOUTPUT=.../extension.js -P generate.cmake
# "imports" is the form GNOME Shell 43 and 44 load, "module" the ES module of GNOME 45 and later.
# Only the lines that name the Shell's modules differ; the logic is the source's, unchanged.
file(READ ${SOURCE} logic)
file(READ ${INTERFACE} interface)
string(REPLACE "@SHELL_INTERFACE@" "${interface}" logic "${logic}")
if(FORM STREQUAL "imports")
  set(head [=[
'use strict';

const {Clutter, Gio, GLib, GObject, Shell, St} = imports.gi;
const Main = imports.ui.main;
const PanelMenu = imports.ui.panelMenu;
const PopupMenu = imports.ui.popupMenu;
const ExtensionUtils = imports.misc.extensionUtils;
const _ = ExtensionUtils.gettext;

// What GNOME 45 calls Extension: the uuid and the folder, and the translations bound from
// locale/ in the folder ("gettext-domain") on construction.
class ExtensionBase {
    constructor(extension) {
        this.uuid = extension.uuid;
        this.path = extension.path;
        ExtensionUtils.initTranslations();
    }
}
]=])
  set(tail [=[
/* exported init */
function init(extension) {
    return new TocklyExtension(extension);
}
]=])
elseif(FORM STREQUAL "module")
  set(head [=[
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import GObject from 'gi://GObject';
import Shell from 'gi://Shell';
import St from 'gi://St';

import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as PanelMenu from 'resource:///org/gnome/shell/ui/panelMenu.js';
import * as PopupMenu from 'resource:///org/gnome/shell/ui/popupMenu.js';
import {Extension as ExtensionBase, gettext as _} from
    'resource:///org/gnome/shell/extensions/extension.js';
]=])
  set(tail "export default TocklyExtension;\n")
else()
  message(FATAL_ERROR "FORM must be imports or module, not '${FORM}'")
endif()
get_filename_component(name ${SOURCE} NAME)
# The source's licence header stays the generated file's first lines.
string(REGEX MATCH "^(// SPDX-[^\n]*\n)*" spdx "${logic}")
string(LENGTH "${spdx}" spdx_length)
string(SUBSTRING "${logic}" ${spdx_length} -1 logic)
file(WRITE ${OUTPUT} "${spdx}// Generated from ${name} by generate.cmake.\n${head}\n${logic}\n${tail}")
