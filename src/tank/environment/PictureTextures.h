#pragma once
// What the picture list asks of whoever turns a picture file into a texture: the program
// decodes off the user-interface thread and uploads on it; tests stub it.

#include <cstdint>
#include <functional>
#include <string>

namespace quelmarine {

class PictureTextures {
  public:
    virtual ~PictureTextures() = default;
    // Starts making the texture of `path`; `done` receives its name (0 when the picture cannot
    // be loaded) on the user-interface thread, later or from inside this call.
    virtual void load(const std::string& path, std::function<void(std::int32_t texture)> done) = 0;
    // Gives back a texture that `load` made and that no row shows any more.
    virtual void release(std::int32_t texture) = 0;
};

} // namespace quelmarine
