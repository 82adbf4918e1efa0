#pragma once
// The application object: single-instance guard, then the main frame.

#include "desktop/app/SingleInstance.h"

#include <functional>
#include <memory>

namespace quelmarine {

class CMainFrame;

class AquariumApp {
  public:
    AquariumApp();
    ~AquariumApp();
    // The start-up sequence; false ends the program quietly without a window.
    // `onFirstFrame` runs once the first frame has reached the screen.
    bool InitInstance(std::function<void()> onFirstFrame = {});

    // Surface format and application names; before and right after QApplication exists.
    static void prepareBeforeApplication();
    static void nameApplication();

  private:
    std::unique_ptr<SingleInstanceMarker> firstMarker, appMarker;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace quelmarine
