#pragma once
// Facts about the product shown to the user.

namespace quelmarine {

// The product web site: shown in the help overlay and opened from the Fish Settings dialog.
inline constexpr const char* kProductWebSite = "www.quelmarine.com";

} // namespace quelmarine
