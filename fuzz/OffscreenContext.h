#pragma once
// An offscreen OpenGL context (a GLX pbuffer) for the targets that upload textures, made current
// for the whole run; Mesa's state lives until the process ends.

namespace fuzzsupport {

// Call from LLVMFuzzerInitialize. Ends the process with a message when there is no context (the
// run needs an X server).
void makeOffscreenContextCurrent();

} // namespace fuzzsupport
