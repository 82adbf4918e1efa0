#pragma once
// The one value kept in the application profile rather than the settings file.

namespace quelmarine {

// The profile entry "Volume" of section "Settings" (organisation "Local AppWizard-Generated
// Applications", application "QuelmarineScr"); 1000 when absent. Needs a Qt application object.
int readProfileVolume();

// Stores the music volume there (the Custom Music dialog, when its slider is released).
void writeProfileVolume(int volume);

} // namespace quelmarine
