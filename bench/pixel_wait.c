// Starts a command, waits until any pixel of a row of the root window changes and prints the
// milliseconds from the start. The command keeps running, its output sent to our error output;
// its process id goes to PIDFILE.
// Usage: pixel_wait Y TIMEOUT_MS PIDFILE COMMAND [ARGUMENT...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { rowWidth = 256, pollMicroseconds = 1000 };

static long long nowNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int readRow(Display* display, int y, unsigned long* row) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), 0, y, rowWidth, 1, AllPlanes,
                              ZPixmap);
    if (!image) {
        return 0;
    }
    for (int x = 0; x < rowWidth; ++x) {
        row[x] = XGetPixel(image, x, 0);
    }
    XDestroyImage(image);
    return 1;
}

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: pixel_wait Y TIMEOUT_MS PIDFILE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const int y = atoi(argv[1]);
    const long long timeoutNs = atoll(argv[2]) * 1000000LL;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "pixel_wait: no display\n");
        return 1;
    }
    unsigned long before[rowWidth];
    unsigned long after[rowWidth];
    if (!readRow(display, y, before)) {
        return 1;
    }
    const long long start = nowNs();
    const long long deadline = start + timeoutNs;
    const pid_t child = fork();
    if (child == 0) {
        // Whoever reads our output waits for the command's copy of it to close, too.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    FILE* pidFile = fopen(argv[3], "w");
    if (pidFile) {
        fprintf(pidFile, "%d\n", (int)child);
        fclose(pidFile);
    }
    while (nowNs() < deadline) {
        if (readRow(display, y, after) && memcmp(before, after, sizeof before) != 0) {
            printf("%.0f\n", (nowNs() - start) / 1e6);
            return 0;
        }
        struct timespec pause = {0, pollMicroseconds * 1000L};
        nanosleep(&pause, NULL);
    }
    fprintf(stderr, "pixel_wait: nothing changed\n");
    return 1;
}
