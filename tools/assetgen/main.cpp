// Usage: quelmarine_assetgen <generator> <output file>
//        quelmarine_assetgen --list

#include "Registry.h"

#include <cstdio>
#include <string>

namespace assetgen {
std::vector<Generator>& generators() {
    static std::vector<Generator> all;
    return all;
}
} // namespace assetgen

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const auto& g : assetgen::generators())
            std::printf("%s\n", g.name.c_str());
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <generator> <output file> | --list\n", argv[0]);
        return 2;
    }
    for (const auto& g : assetgen::generators()) {
        if (g.name == argv[1])
            return g.make(argv[2]) ? 0 : 1;
    }
    std::fprintf(stderr, "no generator named %s\n", argv[1]);
    return 2;
}
