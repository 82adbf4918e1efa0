#include "saver/SaverBackgrounds.h"

#include "tank/ProcessState.h"
#include "tank/platform/ErrorReport.h"
#include "tank/platform/ProgramNames.h"
#include "tank/settings/SettingsKeys.h"

namespace quelmarine::saver {

SaverBackgrounds::SaverBackgrounds(const IniDocument& settings, int screenLongSide) {
    customImageActive = false;
    if (!readListSection(settings, kCustomImagesKeys, 0).on)
        return;
    // The drawing thread's context is always current.
    loader = std::make_unique<PictureLoader>([] { return true; }, screenLongSide);
    pictures = std::make_unique<BackgroundPictures>(*loader);
    pictures->showMessage = [](const std::string& text) { reportError(text, kProgramName); };
    pictures->loadSection(settings);
}

GLuint SaverBackgrounds::Update(Clock::time_point now) {
    if (!pictures)
        return 0;
    loader->uploadNext();
    pictures->advance(now);
    return shownUserBackdrop(pictures->currentTexture);
}

} // namespace quelmarine::saver
