#pragma once
// The checking run's frame check: with QUELMARINE_GL_CHECKS=1 in its environment, the program
// drains OpenGL's error flags after each frame and reports each one on a line of its own, in a
// fixed form that scripts can count:
//   quelmarine: GL error 0x0500 GL_INVALID_ENUM after frame 42

#include <cstdio>

namespace quelmarine {

// Reads glGetError until it answers GL_NO_ERROR (at most 64 times: a lost context may never
// do so), writes one line to `out` for each error, and returns how many there were.
int reportGlErrors(long frameNumber, std::FILE* out);

// True when the environment asks for the check (QUELMARINE_GL_CHECKS=1).
bool glChecksRequested();

// The symbolic name of an OpenGL error code, or "unknown".
const char* glErrorName(unsigned code);

} // namespace quelmarine
