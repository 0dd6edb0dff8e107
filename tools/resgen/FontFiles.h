#pragma once

namespace resgen {

// Faces from the system's DejaVu package.
constexpr const char* sansFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* sansBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* condensedBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
constexpr const char* monoBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

} // namespace resgen
