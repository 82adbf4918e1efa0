#include "OffscreenGl.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <chrono>
#include <thread>

namespace testsupport {

struct OffscreenGl::Impl {
    Display* display = nullptr;
    GLXPbuffer pbuffer = 0;
    GLXContext context = nullptr;

    bool create(int width, int height);
    void destroy();
};

namespace {

bool xErrorSeen = false;
// One connection for the whole process, never closed: closing the last one unloads the GL
// driver, after which a leak checker can no longer say where the driver's own allocations came
// from (and tell them from ours).
Display* sharedDisplay() {
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

int noteXError(Display*, XErrorEvent*) {
    xErrorSeen = true;
    return 0;
}

} // namespace

bool OffscreenGl::Impl::create(int width, int height) {
    display = sharedDisplay();
    if (!display)
        return false;
    // A busy X server may refuse a large pbuffer for a moment: note errors instead of exiting.
    xErrorSeen = false;
    auto previousHandler = XSetErrorHandler(noteXError);
    const int attributes[] = {GLX_DRAWABLE_TYPE,
                              GLX_PBUFFER_BIT,
                              GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,
                              GLX_RED_SIZE,
                              8,
                              GLX_GREEN_SIZE,
                              8,
                              GLX_BLUE_SIZE,
                              8,
                              GLX_DEPTH_SIZE,
                              24,
                              GLX_DOUBLEBUFFER,
                              False,
                              None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    if (configs && count > 0) {
        const int pbufferAttributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height,
                                         None};
        pbuffer = glXCreatePbuffer(display, configs[0], pbufferAttributes);
        context = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
    }
    if (configs)
        XFree(configs);
    bool current = pbuffer && context && glXMakeContextCurrent(display, pbuffer, pbuffer, context);
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    return current && !xErrorSeen;
}

void OffscreenGl::Impl::destroy() {
    if (!display)
        return;
    glXMakeContextCurrent(display, None, None, nullptr);
    if (context)
        glXDestroyContext(display, context);
    if (pbuffer)
        glXDestroyPbuffer(display, pbuffer);
    XSync(display, False);
    *this = Impl{};
}

OffscreenGl::OffscreenGl(int width, int height)
    : impl(std::make_unique<Impl>()), w(width), h(height) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (impl->create(width, height)) {
            glViewport(0, 0, width, height);
            return;
        }
        impl->destroy();
        std::this_thread::sleep_for(std::chrono::milliseconds(200 * (attempt + 1)));
    }
}

OffscreenGl::~OffscreenGl() {
    impl->destroy();
}

bool OffscreenGl::makeCurrent() {
    return ok() &&
           glXMakeContextCurrent(impl->display, impl->pbuffer, impl->pbuffer, impl->context);
}

bool OffscreenGl::ok() const {
    return impl->display && impl->pbuffer && impl->context;
}

} // namespace testsupport
