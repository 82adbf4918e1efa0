#pragma once
// The X window the saver draws on and its GLX context: the daemon's window, the root window, a
// given window, or a window of its own. The context is made for the window's own visual.

#include "saver/CommandLine.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <string>

namespace quelmarine::saver {

// The window to draw on for `target`: $XSCREENSAVER_WINDOW (when it names a window) or the root
// window for Root, `windowId` for WindowId; 0 for OwnWindow.
Window targetWindow(Display* display, DrawTarget target, unsigned long windowId);

class SaverWindow {
  public:
    SaverWindow() = default;
    ~SaverWindow();
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // Connects, finds or makes the window, and makes a current GLX context for it. False with
    // `error` set when any step fails.
    bool open(const SaverOptions& options, std::string& error);

    // Handles the events that have arrived: size changes, and closing of the saver's own
    // window. Sets `resized` when the size changed. False when the saver should end.
    bool handleEvents(bool& resized);
    // Shows the frame just drawn.
    void present();
    // The connection's file descriptor, to wait on between frames.
    int connectionFd() const;

    int width() const { return windowWidth; }
    int height() const { return windowHeight; }
    Window window() const { return drawable; }

  private:
    bool makeOwnWindow(std::string& error);
    bool attachContext(std::string& error);

    Display* display = nullptr;
    Window drawable = 0;
    bool ownWindow = false;
    Atom deleteWindow = 0;
    GLXContext context = nullptr;
    bool doubleBuffered = true;
    int windowWidth = 0, windowHeight = 0;
};

} // namespace quelmarine::saver
