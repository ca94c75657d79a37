/* The display's pixels in one area, read with a single XGetImage: what the
 * desktop test takes its screenshots and its looks at the tray with, many
 * times a run, at a small part of the CPU that an ImageMagick import costs.
 *
 *   screen-grab <x> <y> <width> <height> <file.ppm>   the area as a binary PPM
 *   screen-grab --colours <x> <y> <width> <height>    prints how many colours it holds
 *
 * Exit 0 done, 1 when the display or the area could not be read. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int compare_pixels(const void* a, const void* b)
{
    unsigned long x = *(const unsigned long*)a, y = *(const unsigned long*)b;
    return x < y ? -1 : x > y;
}

/* 8 bits of the channel that `mask` selects. */
static unsigned channel(unsigned long pixel, unsigned long mask)
{
    int shift = 0;
    if (mask == 0)
        return 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    pixel >>= shift;
    return (unsigned)((pixel & mask) * 255 / mask);
}

int main(int argc, char** argv)
{
    int colours = argc > 1 && strcmp(argv[1], "--colours") == 0;
    char** args = argv + 1 + colours;
    if (argc != 6) {
        fprintf(stderr, "usage: screen-grab [--colours] <x> <y> <width> <height> [<file.ppm>]\n");
        return 1;
    }
    int x = atoi(args[0]), y = atoi(args[1]), width = atoi(args[2]), height = atoi(args[3]);
    Display* display = XOpenDisplay(NULL);
    if (display == NULL || width <= 0 || height <= 0) {
        fprintf(stderr, "screen-grab: no display or an empty area\n");
        return 1;
    }
    /* As import crops: to the part of the area on the screen. */
    int screen_width = DisplayWidth(display, DefaultScreen(display));
    int screen_height = DisplayHeight(display, DefaultScreen(display));
    if (x < 0) {
        width += x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        y = 0;
    }
    if (x + width > screen_width)
        width = screen_width - x;
    if (y + height > screen_height)
        height = screen_height - y;
    XImage* image = width <= 0 || height <= 0 ? NULL
                                              : XGetImage(display, DefaultRootWindow(display), x, y, (unsigned)width,
                                                          (unsigned)height, AllPlanes, ZPixmap);
    if (image == NULL) {
        fprintf(stderr, "screen-grab: the area %dx%d+%d+%d lies off the screen\n", width, height, x, y);
        return 1;
    }
    size_t count = (size_t)width * (size_t)height, i = 0;
    if (colours) {
        unsigned long* pixels = malloc(count * sizeof *pixels);
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                pixels[i++] = XGetPixel(image, column, row) & (image->red_mask | image->green_mask | image->blue_mask);
        qsort(pixels, count, sizeof *pixels, compare_pixels);
        size_t distinct = count > 0;
        for (i = 1; i < count; ++i)
            distinct += pixels[i] != pixels[i - 1];
        printf("%zu\n", distinct);
        free(pixels);
    } else {
        FILE* out = fopen(args[4], "wb");
        if (out == NULL) {
            fprintf(stderr, "screen-grab: cannot write %s\n", args[4]);
            return 1;
        }
        unsigned char* rgb = malloc(count * 3);
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                unsigned long pixel = XGetPixel(image, column, row);
                rgb[i++] = (unsigned char)channel(pixel, image->red_mask);
                rgb[i++] = (unsigned char)channel(pixel, image->green_mask);
                rgb[i++] = (unsigned char)channel(pixel, image->blue_mask);
            }
        fprintf(out, "P6\n%d %d\n255\n", width, height);
        fwrite(rgb, 1, count * 3, out);
        free(rgb);
        if (fclose(out) != 0)
            return 1;
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
