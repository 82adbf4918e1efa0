#pragma once
// Named asset generators. A generator writes one finished file (BMP or WAV) to the given path.

#include <string>
#include <vector>

namespace assetgen {

using GeneratorFunction = bool (*)(const std::string& outputPath);

struct Generator {
    std::string name;
    GeneratorFunction make;
};

std::vector<Generator>& generators();

struct Registrar {
    Registrar(const char* name, GeneratorFunction make) { generators().push_back({name, make}); }
};

} // namespace assetgen

// Registers `function` under `name`: ASSET_GENERATOR("backdrop", makeBackdrop);
#define ASSET_GENERATOR(name, function)                                                            \
    static const assetgen::Registrar assetRegistrar_##function {                                   \
        name, function                                                                             \
    }
