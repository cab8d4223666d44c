// Reads single pixels of what KWin shows, through its screenshot service, for as long as asked:
// for each line "X Y" on standard input prints "R G B". One process for many reads, as a
// script that polls for a pixel would otherwise start one for each.
//   gjs pixels.js
const {Gio, GLib} = imports.gi;

const input = new Gio.DataInputStream({base_stream: new Gio.UnixInputStream({fd: 0})});
const output = new Gio.UnixOutputStream({fd: 1});
const file = GLib.build_filenamev([GLib.get_tmp_dir(), `kwin-pixel-${new Date().getTime()}`]);

function pixel(x, y) {
    const stream = Gio.File.new_for_path(file).replace(null, false, Gio.FileCreateFlags.NONE,
        null);
    const fds = Gio.UnixFDList.new_from_array([stream.get_fd()]);
    const [reply] = Gio.DBus.session.call_with_unix_fd_list_sync('org.kde.KWin',
        '/org/kde/KWin/ScreenShot2', 'org.kde.KWin.ScreenShot2', 'CaptureArea',
        new GLib.Variant('(iiuua{sv}h)', [x, y, 1, 1, {}, 0]), null, Gio.DBusCallFlags.NONE, -1,
        fds, null);
    stream.close(null);
    const results = reply.deep_unpack()[0];
    const stride = results['stride'].deep_unpack();
    // KWin writes the pixels after it answers.
    let bytes = new Uint8Array(0);
    while (bytes.length < stride) {
        bytes = GLib.file_get_contents(file)[1];
    }
    // ARGB32 in the machine's order: blue, green, red, alpha.
    return `${bytes[2]} ${bytes[1]} ${bytes[0]}\n`;
}

for (;;) {
    const [line] = input.read_line_utf8(null);
    if (line === null) {
        break;
    }
    const [x, y] = line.trim().split(/\s+/).map(Number);
    output.write_all(pixel(x, y), null);
    output.flush(null);
}
GLib.unlink(file);
