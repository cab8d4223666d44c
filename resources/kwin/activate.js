// Gives the focus to the front window of one app. Tessel writes the app in place of the marked
// word as a JSON object, loads this file through KWin's scripting interface, runs it once and
// unloads it.
const WANTED = @WANTED@;

// Plasma 6 speaks of windows where Plasma 5 spoke of clients.
const plasma6 = typeof workspace.windowList === "function";

function isWanted(window) {
    const app = window.desktopFileName === WANTED.appId || window.resourceClass === WANTED.appId;
    return (window.normalWindow || window.dialog) && (app || window.pid === WANTED.pid);
}

// Bottom to top, so the last of the app's windows is its front one.
const stacked = workspace.stackingOrder ||
    (plasma6 ? workspace.windowList() : workspace.clientList());
const windows = stacked.filter(isWanted);
if (windows.length > 0) {
    const front = windows[windows.length - 1];
    if (plasma6) {
        workspace.activeWindow = front;
    } else {
        workspace.activeClient = front;
    }
}
