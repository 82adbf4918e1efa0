#pragma once
// Integer reading of settings text, as the C library's atoi reads it.

#include <cstdint>
#include <string_view>

namespace quelmarine {

// Leading blanks, an optional sign, then decimal digits up to the first other character; no
// digits gives 0. Values beyond the 32-bit range are clamped to it.
std::int32_t parseAtoi(std::string_view text);

} // namespace quelmarine
