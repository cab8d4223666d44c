// Reads single pixels of the X screen for as long as asked: for each line "X Y" on standard
// input prints "R G B". One process for many reads, as a script that polls for a pixel would
// otherwise start one for each. Built by the scripts that use it: gcc pixels.c -lX11
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "pixels: no X display\n");
        return 1;
    }
    int x = 0;
    int y = 0;
    while (scanf("%d %d", &x, &y) == 2) {
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) {
            return 1;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        printf("%lu %lu %lu\n", (pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
        fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
