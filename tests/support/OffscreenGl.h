#pragma once
// An OpenGL compatibility context on a GLX pbuffer of the given size, current while the object
// lives. Needs an X server (the test run provides Xvfb); no window is shown.

#include <memory>

namespace testsupport {

class OffscreenGl {
  public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    bool ok() const;
    // Makes this context current again (after another one was).
    bool makeCurrent();
    int width() const { return w; }
    int height() const { return h; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    int w, h;
};

} // namespace testsupport
