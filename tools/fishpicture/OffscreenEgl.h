#pragma once
// An OpenGL compatibility context on an off-screen EGL pbuffer, on Mesa's surfaceless platform:
// it needs no display server. Current while the object lives.

#include <EGL/egl.h>

class OffscreenEgl {
  public:
    OffscreenEgl(int width, int height);
    ~OffscreenEgl();
    OffscreenEgl(const OffscreenEgl&) = delete;
    OffscreenEgl& operator=(const OffscreenEgl&) = delete;
    bool ok() const { return current; }

  private:
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    bool current = false;
};
