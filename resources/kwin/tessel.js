// Tells Tessel what KWin shows no app on Wayland: the active window and where it lies, the
// running apps and, while Tessel follows it, where the pointer is; and keeps Tessel's paper out
// of screen captures where KWin can. Tessel writes this file with its own values in place of
// the marked words, loads it through KWin's scripting interface and unloads it on quit.
const SERVICE = "com.corvane.Tessel.KWin";
const PATH = "/com/corvane/Tessel/KWin";
const INTERFACE = "com.corvane.Tessel.KWin";
const TESSEL_PID = @TESSEL_PID@;
const HIDE_FROM_CAPTURE = @HIDE_FROM_CAPTURE@;
const FOLLOW_POINTER = @FOLLOW_POINTER@;

function tell(method, value) {
    callDBus(SERVICE, PATH, INTERFACE, method, JSON.stringify(value));
}

// Plasma 6 speaks of windows where Plasma 5 spoke of clients.
const plasma6 = typeof workspace.windowList === "function";
const windowAdded = plasma6 ? workspace.windowAdded : workspace.clientAdded;
const windowRemoved = plasma6 ? workspace.windowRemoved : workspace.clientRemoved;
const windowActivated = plasma6 ? workspace.windowActivated : workspace.clientActivated;

function allWindows() {
    return plasma6 ? workspace.windowList() : workspace.clientList();
}

function activeWindow() {
    return plasma6 ? workspace.activeWindow : workspace.activeClient;
}

// Tessel's paper and moments, which KWin lists among the windows: layer surfaces, which carry no
// app id, unlike Tessel's ordinary windows, which screenshots should show.
function isPaper(window) {
    return window.pid === TESSEL_PID && !window.desktopFileName;
}

function isApp(window) {
    return (window.normalWindow || window.dialog) && !isPaper(window);
}

function appOf(window) {
    return {
        desktopFile: window.desktopFileName || "",
        resourceClass: window.resourceClass || "",
        pid: window.pid,
    };
}

let followed = null;

function reportActive() {
    const window = activeWindow();
    if (!window) {
        tell("ActiveWindowChanged", {});
        return;
    }
    const frame = window.frameGeometry;
    const report = appOf(window);
    report.frame = {x: frame.x, y: frame.y, width: frame.width, height: frame.height};
    tell("ActiveWindowChanged", report);
}

// The focus sheet frames the active window wherever it moves.
function follow(window) {
    if (followed) {
        followed.frameGeometryChanged.disconnect(reportActive);
    }
    followed = window;
    if (followed) {
        followed.frameGeometryChanged.connect(reportActive);
    }
    reportActive();
}

function reportApps() {
    tell("RunningAppsChanged", allWindows().filter(isApp).map(appOf));
}

let hiding = false;

function hideIfPaper(window) {
    if (!isPaper(window) || !("excludeFromCapture" in window)) {
        return;
    }
    window.excludeFromCapture = HIDE_FROM_CAPTURE;
    if (!hiding) {
        hiding = true;
        tell("CaptureExclusionAvailable", {});
    }
}

function reportPointer() {
    const pointer = workspace.cursorPos;
    tell("PointerMoved", {x: pointer.x, y: pointer.y});
}

windowActivated.connect(follow);
windowAdded.connect(window => {
    hideIfPaper(window);
    reportApps();
});
windowRemoved.connect(window => {
    if (window === followed) {
        followed = null;
    }
    reportApps();
});
allWindows().forEach(hideIfPaper);
follow(activeWindow());
reportApps();
// Every move would be a bus call: only while the ruler shows.
if (FOLLOW_POINTER) {
    workspace.cursorPosChanged.connect(reportPointer);
    reportPointer();
}
