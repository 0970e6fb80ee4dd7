// A stand-in for a desktop panel: a dock window along the bottom edge of the
// screen that reserves a strip of the given height, as a taskbar does, so
// that the window manager's work area (_NET_WORKAREA) leaves it out.
//
//   desktop_panel [height]          (default 40 pixels)
//
// It waits for the window manager, shows the strip, waits until the work
// area has shrunk by it, and then goes into the background (the command
// returns 0), where it stays until the X server goes away. It returns 1 when
// there is no X server, no window manager or the work area never shrinks.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

std::vector<uint32_t> cardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property)
{
    std::vector<uint32_t> out;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_ATOM_ANY, 0, 64), nullptr);
    if (r && r->format == 32) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
        out.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    return out;
}

// Waits up to the given number of 50 ms steps for the test to hold.
template <class Test>
bool waitFor(Test test, int tries = 200)
{
    for (int i = 0; i < tries; ++i) {
        if (test())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const int height = argc > 1 ? std::atoi(argv[1]) : 40;
    if (height <= 0) {
        std::fprintf(stderr, "desktop_panel: the height must be a positive number of pixels\n");
        return 1;
    }
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "desktop_panel: no X server\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    xcb_screen_t* screen = it.data;
    const xcb_window_t root = screen->root;
    const int sw = screen->width_in_pixels, sh = screen->height_in_pixels;

    const xcb_atom_t supporting = atom(c, "_NET_SUPPORTING_WM_CHECK");
    if (!waitFor([&] { return !cardinals(c, root, supporting).empty(); })) {
        std::fprintf(stderr, "desktop_panel: no window manager\n");
        return 1;
    }

    const xcb_window_t panel = xcb_generate_id(c);
    const uint32_t values[] = {screen->white_pixel};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, panel, root, 0, static_cast<int16_t>(sh - height),
                      static_cast<uint16_t>(sw), static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL, values);
    const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dock = atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, type, XCB_ATOM_ATOM, 32, 1, &dock);
    const uint32_t strut[] = {0, 0, 0, static_cast<uint32_t>(height)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, atom(c, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4, strut);
    // left, right, top, bottom, then the start and end of each strip.
    const uint32_t partial[] = {0, 0, 0, static_cast<uint32_t>(height), 0, 0, 0, 0, 0, 0,
                                0, static_cast<uint32_t>(sw - 1)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, atom(c, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32,
                        12, partial);
    // Its place is its own (a window manager places other windows itself).
    uint32_t hints[18] = {};
    hints[0] = 1 | 2 | 4 | 8 | 16 | 32;   // the user's and the program's place and size, smallest and largest size
    hints[1] = 0;
    hints[2] = static_cast<uint32_t>(sh - height);
    hints[3] = hints[5] = hints[7] = static_cast<uint32_t>(sw);
    hints[4] = hints[6] = hints[8] = static_cast<uint32_t>(height);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints);
    const char name[] = "desktop_panel";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, panel, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, sizeof name - 1,
                        name);
    // A window manager that is still starting may miss the first map: the
    // strip is shown again until the work area leaves it out.
    const xcb_atom_t workarea = atom(c, "_NET_WORKAREA");
    auto reserved = [&] {
        const std::vector<uint32_t> a = cardinals(c, root, workarea);
        return a.size() >= 4 && static_cast<int>(a[1] + a[3]) <= sh - height;
    };
    bool ready = false;
    for (int attempt = 0; attempt < 5 && !ready; ++attempt) {
        xcb_unmap_window(c, panel);
        xcb_map_window(c, panel);
        const uint32_t at[] = {0, static_cast<uint32_t>(sh - height)};
        xcb_configure_window(c, panel, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, at);
        xcb_flush(c);
        ready = waitFor(reserved, 40);
    }
    if (!ready) {
        const std::vector<uint32_t> a = cardinals(c, root, workarea);
        std::fprintf(stderr, "desktop_panel: the window manager did not reserve the strip (work area");
        for (size_t i = 0; i < a.size() && i < 4; ++i)
            std::fprintf(stderr, " %u", a[i]);
        std::fprintf(stderr, " on %dx%d)\n", sw, sh);
        return 1;
    }

    // Ready: the caller goes on while the strip stays.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return 1;
    if (child > 0)
        _exit(0);   // the connection is the strip's, which lives on in the child
    setsid();
    // Holds none of the caller's streams open.
    if (std::freopen("/dev/null", "r", stdin) == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr ||
        std::freopen("/dev/null", "w", stderr) == nullptr)
        return 1;
    while (xcb_generic_event_t* e = xcb_wait_for_event(c))
        std::free(e);
    xcb_disconnect(c);
    return 0;
}
