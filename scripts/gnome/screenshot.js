// Saves the screen of the session's GNOME Shell as a PNG. The shell's screenshot service
// answers only a few well-known callers, so this one takes the name of GNOME's screenshot app.
//   gjs screenshot.js FILE
const {Gio, GLib} = imports.gi;

const [file] = ARGV;
const loop = new GLib.MainLoop(null, false);
let failed = false;

Gio.bus_own_name(Gio.BusType.SESSION, 'org.gnome.Screenshot', Gio.BusNameOwnerFlags.NONE, null,
    connection => {
        connection.call('org.gnome.Shell.Screenshot', '/org/gnome/Shell/Screenshot',
            'org.gnome.Shell.Screenshot', 'Screenshot',
            new GLib.Variant('(bbs)', [false, false, file]), null, Gio.DBusCallFlags.NONE, -1,
            null, (bus, result) => {
                try {
                    bus.call_finish(result);
                } catch (error) {
                    printerr(error.message);
                    failed = true;
                }
                loop.quit();
            });
    }, null);
loop.run();
imports.system.exit(failed ? 1 : 0);
