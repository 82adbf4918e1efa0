#pragma once
// The application object: single-instance guard, then the main frame.

#include "app/SingleInstance.h"

#include <memory>

namespace quelmarine {

class CMainFrame;

class AquariumApp {
  public:
    AquariumApp();
    ~AquariumApp();
    // The start-up sequence; false ends the program quietly without a window.
    bool InitInstance();

  private:
    std::unique_ptr<SingleInstanceMarker> firstMarker, appMarker;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace quelmarine
