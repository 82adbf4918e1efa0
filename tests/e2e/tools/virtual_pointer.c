/* A pointer for tests on wlroots compositors (sway) that have no input device: one virtual
 * pointer (the wlr virtual-pointer protocol, version 1) that lives as long as this program and
 * follows the commands read from standard input, one a line:
 *   move DX DY    moves it by DX, DY pixels
 *   button        presses and releases the left button
 *   button right  presses and releases the right button
 * Each command is sent as one frame and has reached the compositor when "done" is printed. */

#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

/* The protocol's two interfaces, written out here: requests only, in the protocol's order. */
extern const struct wl_interface zwlr_virtual_pointer_v1_interface;
static const struct wl_interface* createTypes[] = {&wl_seat_interface,
                                                   &zwlr_virtual_pointer_v1_interface};
static const struct wl_interface* noTypes[5] = {NULL, NULL, NULL, NULL, NULL};
static const struct wl_message pointerRequests[] = {
    {"motion", "uff", noTypes},   {"motion_absolute", "uuuuu", noTypes},
    {"button", "uuu", noTypes},   {"axis", "uuf", noTypes},
    {"frame", "", noTypes},       {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes}, {"axis_discrete", "uufi", noTypes},
    {"destroy", "", noTypes},
};
const struct wl_interface zwlr_virtual_pointer_v1_interface = {"zwlr_virtual_pointer_v1", 1, 9,
                                                               pointerRequests,           0, NULL};
static const struct wl_message managerRequests[] = {
    {"create_virtual_pointer", "?on", createTypes},
    {"destroy", "", noTypes},
};
static const struct wl_interface managerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, managerRequests, 0, NULL};

enum { kMotion = 0, kButton = 2, kFrame = 4, kCreate = 0 };
enum { kLeftButton = 0x110, kRightButton = 0x111 };

static struct wl_proxy* manager;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, managerInterface.name) == 0)
        manager = wl_registry_bind(registry, name, &managerInterface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void globalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {global, globalRemove};

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "virtual_pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    wl_display_roundtrip(display);
    if (!manager || !seat) {
        fprintf(stderr, "virtual_pointer: the compositor has no virtual pointers\n");
        return 1;
    }
    struct wl_proxy* pointer = wl_proxy_marshal_constructor(
        manager, kCreate, &zwlr_virtual_pointer_v1_interface, seat, NULL);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    uint32_t time = 1;
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        double dx = 0, dy = 0;
        if (sscanf(line, "move %lf %lf", &dx, &dy) == 2) {
            wl_proxy_marshal(pointer, kMotion, time++, wl_fixed_from_double(dx),
                             wl_fixed_from_double(dy));
        } else if (strncmp(line, "button", 6) == 0) {
            const uint32_t button = strstr(line, "right") ? kRightButton : kLeftButton;
            wl_proxy_marshal(pointer, kButton, time++, button, 1);
            wl_proxy_marshal(pointer, kFrame);
            wl_proxy_marshal(pointer, kButton, time++, button, 0);
        } else {
            fprintf(stderr, "virtual_pointer: unknown command %s", line);
            continue;
        }
        wl_proxy_marshal(pointer, kFrame);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        printf("done\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
