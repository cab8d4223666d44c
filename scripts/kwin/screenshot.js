// Saves what KWin shows on one output, through its screenshot service, as raw pixels, and
// prints how to read them: "WIDTH HEIGHT STRIDE FORMAT" (a QImage format number).
//   gjs screenshot.js OUTPUT FILE
const {Gio, GLib} = imports.gi;

const [output, file] = ARGV;
const stream = Gio.File.new_for_path(file).replace(null, false, Gio.FileCreateFlags.NONE, null);
const fds = Gio.UnixFDList.new_from_array([stream.get_fd()]);
const [reply] = Gio.DBus.session.call_with_unix_fd_list_sync('org.kde.KWin',
    '/org/kde/KWin/ScreenShot2', 'org.kde.KWin.ScreenShot2', 'CaptureScreen',
    new GLib.Variant('(sa{sv}h)', [output, {}, 0]), null, Gio.DBusCallFlags.NONE, -1, fds, null);
const results = reply.deep_unpack()[0];
const number = key => results[key].deep_unpack();
print(`${number('width')} ${number('height')} ${number('stride')} ${number('format')}`);
