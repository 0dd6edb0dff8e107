#pragma once

#include <string>

class HeadlessContext;
class RenderOptions;

// Every registered effect alone on one contact sheet, in catalogue order and
// labelled with its name: each is run from a fresh start (the clock at 0, the
// random generators as the process found them, the GL state of a new
// context), so its cell shows what "--effect NAME --times T" renders.
class GallerySheet {
public:
    static constexpr double kDefaultTime = 2.0; // seconds, when no --times is given

    // False with the reason when the run is interrupted or the sheet cannot be written.
    static bool write(const RenderOptions& options, const HeadlessContext& context, std::string* error);
};
