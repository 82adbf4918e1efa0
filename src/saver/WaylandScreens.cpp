#include "saver/WaylandScreens.h"

#include "saver/EndOnInput.h"
#include "tank/platform/ProgramNames.h"

#include "xdg-shell-client-protocol.h"

#include <EGL/egl.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <list>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-egl.h>

namespace quelmarine::saver {

bool waylandDisplayNamed() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* socket = std::getenv("WAYLAND_SOCKET");
    return (name && *name) || (socket && *socket);
}

namespace {

class WaylandScreens;

// One output and the full-screen toplevel on it.
struct Output {
    WaylandScreens* owner = nullptr;
    std::uint32_t globalName = 0; // the registry's name of the output
    std::uint32_t id = 0;
    wl_output* output = nullptr;
    std::int32_t scale = 1;
    int modeWidth = 0, modeHeight = 0; // the output's current mode, in pixels
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_egl_window* eglWindow = nullptr;
    EGLSurface eglSurface = EGL_NO_SURFACE;
    // The size the compositor asked for (in its logical units; 0: ours to choose), and the size
    // of the buffers drawn (pixels).
    int askedWidth = 0, askedHeight = 0;
    int width = 0, height = 0;
};

class WaylandScreens final : public SaverScreens {
  public:
    ~WaylandScreens() override;
    bool open(std::string& error);

    std::vector<ScreenSurface> surfaces() const override;
    bool makeCurrent(std::uint32_t id) override;
    void present(std::uint32_t id) override;
    void shown(Clock::time_point now) override { input.screensShown(now); }
    Wait waitUntil(Clock::time_point deadline) override;

    // Called by the listeners.
    void global(wl_registry* registry, std::uint32_t name, const char* interface,
                std::uint32_t version);
    void globalRemoved(std::uint32_t name);
    void seatCapabilities(std::uint32_t capabilities);
    void configured(Output& output, std::uint32_t serial);
    void pointerEntered(std::uint32_t serial, wl_surface* surface, double x, double y);
    void pointerMoved(double x, double y) { input.pointerAt(pointerSurface, x, y, Clock::now()); }
    void pressed() { input.pressed(Clock::now()); }
    void closeAsked() { closed = true; }

  private:
    void addOutput(wl_registry* registry, std::uint32_t name, std::uint32_t version);
    void makeToplevel(Output& output);
    void removeOutput(std::list<Output>::iterator output);
    Output* find(std::uint32_t id);

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    std::uint32_t compositorVersion = 0;
    xdg_wm_base* wmBase = nullptr;
    wl_seat* seat = nullptr;
    std::uint32_t seatName = 0;
    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    std::uintptr_t pointerSurface = 0;
    std::list<Output> outputs; // stable addresses: the listeners hold them
    std::uint32_t nextId = 1;
    EGLDisplay eglDisplay = EGL_NO_DISPLAY;
    EGLConfig eglConfig = nullptr;
    EGLContext eglContext = EGL_NO_CONTEXT;
    EndOnInput input;
    bool closed = false;
};

// The listeners: plain functions, as libwayland wants them, that hand on to the owner.

template <typename... Arguments> void ignore(Arguments...) {}

const wl_output_listener kOutputListener = {
    .geometry = ignore<void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                       std::int32_t, const char*, const char*, std::int32_t>,
    .mode =
        [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
           std::int32_t) {
            if (flags & WL_OUTPUT_MODE_CURRENT) {
                static_cast<Output*>(data)->modeWidth = width;
                static_cast<Output*>(data)->modeHeight = height;
            }
        },
    .done = ignore<void*, wl_output*>,
    .scale = [](void* data, wl_output*,
                std::int32_t factor) { static_cast<Output*>(data)->scale = std::max(1, factor); },
    .name = ignore<void*, wl_output*, const char*>,
    .description = ignore<void*, wl_output*, const char*>,
};

const xdg_wm_base_listener kWmBaseListener = {
    .ping = [](void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); },
};

const xdg_surface_listener kXdgSurfaceListener = {
    .configure =
        [](void* data, xdg_surface*, std::uint32_t serial) {
            auto* output = static_cast<Output*>(data);
            output->owner->configured(*output, serial);
        },
};

const xdg_toplevel_listener kToplevelListener = {
    .configure =
        [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
            static_cast<Output*>(data)->askedWidth = width;
            static_cast<Output*>(data)->askedHeight = height;
        },
    .close = [](void* data, xdg_toplevel*) { static_cast<Output*>(data)->owner->closeAsked(); },
    .configure_bounds = ignore<void*, xdg_toplevel*, std::int32_t, std::int32_t>,
    .wm_capabilities = ignore<void*, xdg_toplevel*, wl_array*>,
};

const wl_pointer_listener kPointerListener = {
    .enter =
        [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
           wl_fixed_t y) {
            static_cast<WaylandScreens*>(data)->pointerEntered(
                serial, surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
        },
    .leave = ignore<void*, wl_pointer*, std::uint32_t, wl_surface*>,
    .motion =
        [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
            static_cast<WaylandScreens*>(data)->pointerMoved(wl_fixed_to_double(x),
                                                             wl_fixed_to_double(y));
        },
    .button =
        [](void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
           std::uint32_t state) {
            if (state == WL_POINTER_BUTTON_STATE_PRESSED)
                static_cast<WaylandScreens*>(data)->pressed();
        },
    // A turn of the wheel is the user too.
    .axis = [](void* data, wl_pointer*, std::uint32_t, std::uint32_t,
               wl_fixed_t) { static_cast<WaylandScreens*>(data)->pressed(); },
    .frame = ignore<void*, wl_pointer*>,
    .axis_source = ignore<void*, wl_pointer*, std::uint32_t>,
    .axis_stop = ignore<void*, wl_pointer*, std::uint32_t, std::uint32_t>,
    .axis_discrete = ignore<void*, wl_pointer*, std::uint32_t, std::int32_t>,
    .axis_value120 = ignore<void*, wl_pointer*, std::uint32_t, std::int32_t>,
};

const wl_keyboard_listener kKeyboardListener = {
    // The key map is not needed: any key ends the saver.
    .keymap = [](void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t) { close(fd); },
    .enter = ignore<void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*>,
    .leave = ignore<void*, wl_keyboard*, std::uint32_t, wl_surface*>,
    .key =
        [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
           std::uint32_t state) {
            if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
                static_cast<WaylandScreens*>(data)->pressed();
        },
    .modifiers = ignore<void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                        std::uint32_t, std::uint32_t>,
    .repeat_info = ignore<void*, wl_keyboard*, std::int32_t, std::int32_t>,
};

const wl_seat_listener kSeatListener = {
    .capabilities =
        [](void* data, wl_seat*, std::uint32_t capabilities) {
            static_cast<WaylandScreens*>(data)->seatCapabilities(capabilities);
        },
    .name = ignore<void*, wl_seat*, const char*>,
};

const wl_registry_listener kRegistryListener = {
    .global =
        [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            static_cast<WaylandScreens*>(data)->global(registry, name, interface, version);
        },
    .global_remove =
        [](void* data, wl_registry*, std::uint32_t name) {
            static_cast<WaylandScreens*>(data)->globalRemoved(name);
        },
};

WaylandScreens::~WaylandScreens() {
    while (!outputs.empty())
        removeOutput(outputs.begin());
    if (eglDisplay != EGL_NO_DISPLAY) {
        eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (eglContext != EGL_NO_CONTEXT)
            eglDestroyContext(eglDisplay, eglContext);
        eglTerminate(eglDisplay);
    }
    if (pointer)
        wl_pointer_destroy(pointer);
    if (keyboard)
        wl_keyboard_destroy(keyboard);
    if (seat)
        wl_seat_destroy(seat);
    if (wmBase)
        xdg_wm_base_destroy(wmBase);
    if (compositor)
        wl_compositor_destroy(compositor);
    if (registry)
        wl_registry_destroy(registry);
    if (display)
        wl_display_disconnect(display);
}

bool WaylandScreens::open(std::string& error) {
    display = wl_display_connect(nullptr);
    if (!display) {
        error = "cannot connect to the Wayland display";
        return false;
    }
    eglDisplay = eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display));
    EGLint major = 0, minor = 0;
    if (eglDisplay == EGL_NO_DISPLAY || !eglInitialize(eglDisplay, &major, &minor) ||
        !eglBindAPI(EGL_OPENGL_API)) {
        error = "no EGL with desktop OpenGL on the Wayland display";
        return false;
    }
    const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                 EGL_WINDOW_BIT,
                                 EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,
                                 8,
                                 EGL_GREEN_SIZE,
                                 8,
                                 EGL_BLUE_SIZE,
                                 8,
                                 EGL_DEPTH_SIZE,
                                 24,
                                 EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(eglDisplay, attributes, &eglConfig, 1, &count) || count < 1) {
        error = "no EGL configuration with a depth buffer";
        return false;
    }
    // No version asked: the compatibility profile the tank's fixed-function drawing needs.
    eglContext = eglCreateContext(eglDisplay, eglConfig, EGL_NO_CONTEXT, nullptr);
    if (eglContext == EGL_NO_CONTEXT) {
        error = "cannot make an OpenGL context";
        return false;
    }
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, this);
    // The globals, then the outputs' modes and the toplevels' first configure.
    if (wl_display_roundtrip(display) < 0 || !compositor || !wmBase) {
        error = compositor ? "the compositor has no xdg-shell" : "no Wayland compositor";
        return false;
    }
    for (Output& output : outputs)
        makeToplevel(output);
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) {
        error = "the Wayland connection broke";
        return false;
    }
    return true;
}

void WaylandScreens::global(wl_registry* registry, std::uint32_t name, const char* interface,
                            std::uint32_t version) {
    const std::string_view kind = interface;
    if (kind == wl_compositor_interface.name) {
        compositorVersion = std::min(version, 4u);
        compositor = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, compositorVersion));
    } else if (kind == xdg_wm_base_interface.name) {
        wmBase =
            static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
        xdg_wm_base_add_listener(wmBase, &kWmBaseListener, this);
    } else if (kind == wl_seat_interface.name && !seat) {
        seatName = name;
        seat = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
        wl_seat_add_listener(seat, &kSeatListener, this);
    } else if (kind == wl_output_interface.name) {
        addOutput(registry, name, version);
    }
}

void WaylandScreens::addOutput(wl_registry* registry, std::uint32_t name, std::uint32_t version) {
    Output& output = outputs.emplace_back();
    output.owner = this;
    output.globalName = name;
    output.id = nextId++;
    output.output = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 3u)));
    wl_output_add_listener(output.output, &kOutputListener, &output);
    // One that comes while the saver runs gets its toplevel at once; the first ones get theirs
    // once the compositor and the shell are known.
    if (compositor && wmBase)
        makeToplevel(output);
}

void WaylandScreens::makeToplevel(Output& output) {
    if (output.surface)
        return;
    output.surface = wl_compositor_create_surface(compositor);
    output.xdgSurface = xdg_wm_base_get_xdg_surface(wmBase, output.surface);
    xdg_surface_add_listener(output.xdgSurface, &kXdgSurfaceListener, &output);
    output.toplevel = xdg_surface_get_toplevel(output.xdgSurface);
    xdg_toplevel_add_listener(output.toplevel, &kToplevelListener, &output);
    xdg_toplevel_set_title(output.toplevel, kProgramTitle);
    xdg_toplevel_set_app_id(output.toplevel, kIdleSaverName);
    xdg_toplevel_set_fullscreen(output.toplevel, output.output);
    wl_surface_commit(output.surface);
}

void WaylandScreens::configured(Output& output, std::uint32_t serial) {
    xdg_surface_ack_configure(output.xdgSurface, serial);
    const int scale = compositorVersion >= 3 ? output.scale : 1;
    if (compositorVersion >= 3)
        wl_surface_set_buffer_scale(output.surface, scale);
    // A compositor that leaves the size to us gets the output's mode.
    int width = output.askedWidth * scale, height = output.askedHeight * scale;
    if (width <= 0 || height <= 0) {
        width = output.modeWidth > 0 ? output.modeWidth : 1024;
        height = output.modeHeight > 0 ? output.modeHeight : 768;
        width -= width % scale;
        height -= height % scale;
    }
    if (!output.eglWindow) {
        output.eglWindow = wl_egl_window_create(output.surface, width, height);
        output.eglSurface = eglCreateWindowSurface(
            eglDisplay, eglConfig, reinterpret_cast<EGLNativeWindowType>(output.eglWindow),
            nullptr);
    } else if (width != output.width || height != output.height) {
        wl_egl_window_resize(output.eglWindow, width, height, 0, 0);
    }
    output.width = width;
    output.height = height;
}

void WaylandScreens::removeOutput(std::list<Output>::iterator output) {
    if (output->eglSurface != EGL_NO_SURFACE) {
        if (eglGetCurrentSurface(EGL_DRAW) == output->eglSurface)
            eglMakeCurrent(eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroySurface(eglDisplay, output->eglSurface);
    }
    if (output->eglWindow)
        wl_egl_window_destroy(output->eglWindow);
    if (output->toplevel)
        xdg_toplevel_destroy(output->toplevel);
    if (output->xdgSurface)
        xdg_surface_destroy(output->xdgSurface);
    if (output->surface) {
        if (pointerSurface == reinterpret_cast<std::uintptr_t>(output->surface))
            pointerSurface = 0;
        wl_surface_destroy(output->surface);
    }
    if (output->output) {
        if (wl_output_get_version(output->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output->output);
        else
            wl_output_destroy(output->output);
    }
    outputs.erase(output);
}

void WaylandScreens::globalRemoved(std::uint32_t name) {
    auto output = std::find_if(outputs.begin(), outputs.end(),
                               [&](const Output& each) { return each.globalName == name; });
    if (output != outputs.end())
        removeOutput(output);
    if (seat && name == seatName) {
        seatCapabilities(0);
        wl_seat_destroy(seat);
        seat = nullptr;
    }
}

void WaylandScreens::seatCapabilities(std::uint32_t capabilities) {
    const bool hasPointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    const bool hasKeyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (hasPointer && !pointer) {
        pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(pointer, &kPointerListener, this);
    } else if (!hasPointer && pointer) {
        wl_pointer_destroy(pointer);
        pointer = nullptr;
    }
    if (hasKeyboard && !keyboard) {
        keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(keyboard, &kKeyboardListener, this);
    } else if (!hasKeyboard && keyboard) {
        wl_keyboard_destroy(keyboard);
        keyboard = nullptr;
    }
}

void WaylandScreens::pointerEntered(std::uint32_t serial, wl_surface* surface, double x, double y) {
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0); // hidden over the tank
    pointerSurface = reinterpret_cast<std::uintptr_t>(surface);
    input.pointerAt(pointerSurface, x, y, Clock::now());
}

std::vector<ScreenSurface> WaylandScreens::surfaces() const {
    std::vector<ScreenSurface> list;
    for (const Output& output : outputs)
        if (output.eglSurface != EGL_NO_SURFACE)
            list.push_back({output.id, output.width, output.height});
    return list;
}

Output* WaylandScreens::find(std::uint32_t id) {
    for (Output& output : outputs)
        if (output.id == id)
            return &output;
    return nullptr;
}

bool WaylandScreens::makeCurrent(std::uint32_t id) {
    Output* output = find(id);
    if (!output || output->eglSurface == EGL_NO_SURFACE ||
        !eglMakeCurrent(eglDisplay, output->eglSurface, output->eglSurface, eglContext))
        return false;
    // The saver paces itself: a swap never waits for an output that shows nothing of it.
    eglSwapInterval(eglDisplay, 0);
    return true;
}

void WaylandScreens::present(std::uint32_t id) {
    if (Output* output = find(id))
        eglSwapBuffers(eglDisplay, output->eglSurface);
}

SaverScreens::Wait WaylandScreens::waitUntil(Clock::time_point deadline) {
    for (;;) {
        if (wl_display_dispatch_pending(display) < 0)
            return Wait::Gone;
        if (input.userBack() || closed)
            return Wait::UserBack;
        const auto now = Clock::now();
        if (now >= deadline) {
            wl_display_flush(display);
            return Wait::Deadline;
        }
        if (wl_display_prepare_read(display) != 0)
            continue; // events came in meanwhile: handle them first
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return Wait::Gone;
        }
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        const timespec timeout{time_t(left.count() / 1000000000), long(left.count() % 1000000000)};
        pollfd connection{wl_display_get_fd(display), POLLIN, 0};
        const int ready = ppoll(&connection, 1, &timeout, nullptr);
        if (ready > 0 && (connection.revents & (POLLERR | POLLHUP)) &&
            !(connection.revents & POLLIN)) {
            wl_display_cancel_read(display);
            return Wait::Gone;
        }
        if (ready > 0) {
            if (wl_display_read_events(display) < 0)
                return Wait::Gone;
        } else {
            wl_display_cancel_read(display);
        }
    }
}

} // namespace

std::unique_ptr<SaverScreens> openWaylandScreens(std::string& error) {
    auto screens = std::make_unique<WaylandScreens>();
    if (!screens->open(error))
        return nullptr;
    return screens;
}

} // namespace quelmarine::saver
