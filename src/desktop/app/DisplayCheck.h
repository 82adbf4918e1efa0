#pragma once
// Without a display to draw on, Qt's X platform plugin aborts the process with a page of
// advice. The program checks first and ends with one line on standard error instead.
//
// The check keeps its connection open until Qt has made its own: an X server that has no other
// client resets itself when the last one leaves (Xvfb and a bare Xorg do), and a connection
// made during that reset is dropped, so closing the probe first would make Qt's connection fail
// and abort. A server caught in such a reset (another client has just left) is tried again for
// about a second.

namespace quelmarine {

class DisplayProbe {
  public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    // True when the window system Qt will use can be reached. Only the X platform (Qt's
    // default here) is probed; other platforms chosen with QT_QPA_PLATFORM are left to Qt.
    bool reachable() const { return ok; }
    // Closes the probe's connection (once the application holds its own).
    void release();

  private:
    void* display = nullptr;
    bool ok = false;
};

// The one line printed when it cannot: "quelmarine: cannot open display <name>".
void reportNoDisplay();

} // namespace quelmarine
