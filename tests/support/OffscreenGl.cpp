#include "OffscreenGl.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace testsupport {

struct OffscreenGl::Impl {
    Display* display = nullptr;
    GLXPbuffer pbuffer = 0;
    GLXContext context = nullptr;
};

OffscreenGl::OffscreenGl(int width, int height)
    : impl(std::make_unique<Impl>()), w(width), h(height) {
    impl->display = XOpenDisplay(nullptr);
    if (!impl->display)
        return;
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
    GLXFBConfig* configs =
        glXChooseFBConfig(impl->display, DefaultScreen(impl->display), attributes, &count);
    if (!configs || count == 0)
        return;
    const int pbufferAttributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
    impl->pbuffer = glXCreatePbuffer(impl->display, configs[0], pbufferAttributes);
    impl->context = glXCreateNewContext(impl->display, configs[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(configs);
    if (!impl->pbuffer || !impl->context)
        return;
    glXMakeContextCurrent(impl->display, impl->pbuffer, impl->pbuffer, impl->context);
    glViewport(0, 0, width, height);
}

OffscreenGl::~OffscreenGl() {
    if (!impl->display)
        return;
    glXMakeContextCurrent(impl->display, None, None, nullptr);
    if (impl->context)
        glXDestroyContext(impl->display, impl->context);
    if (impl->pbuffer)
        glXDestroyPbuffer(impl->display, impl->pbuffer);
    XCloseDisplay(impl->display);
}

bool OffscreenGl::ok() const {
    return impl->display && impl->pbuffer && impl->context;
}

} // namespace testsupport
