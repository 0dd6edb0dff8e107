// quenfold-resgen: writes every generated resource (images, fonts, the logo model, the music)
// into the resource directory. The same program always writes the same bytes.
#include "AppIcon.h"
#include "AudioBuffer.h"
#include "AudioEncoder.h"
#include "ContactSheet.h"
#include "CubeMaps.h"
#include "FontAtlas.h"
#include "FontFiles.h"
#include "Gradients.h"
#include "Indicators.h"
#include "Lettering.h"
#include "LogoModel.h"
#include "MusicSynth.h"
#include "Photos.h"
#include "ResourceWriter.h"
#include "Sprites.h"

#include <SDL.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct Options {
    std::string outDir;
    std::string contactSheet;
    std::string iconDir;
    bool mp3 = true;
};

bool parse(int argc, char** argv, Options& opt)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-mp3") == 0)
            opt.mp3 = false;
        else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc)
            opt.contactSheet = argv[++i];
        else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc)
            opt.iconDir = argv[++i];
        else if (opt.outDir.empty() && argv[i][0] != '-')
            opt.outDir = argv[i];
        else
            return false;
    }
    return !opt.outDir.empty();
}

class Stopwatch {
public:
    double lap()
    {
        const auto now = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(now - last).count();
        last = now;
        return s;
    }

private:
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
};

bool writeMusic(resgen::ResourceWriter& out, bool encode)
{
    const std::vector<int16_t> pcm = resgen::MusicSynth::render();
    std::printf("pcm-hash %016" PRIx64 "\n", resgen::AudioEncoder::hash(pcm));
    if (!encode)
        return true;
    const std::string wav = "2010-04-03.wav.tmp";
    if (!out.saveBytes(wav, resgen::AudioEncoder::wavBytes(pcm, resgen::AudioBuffer::sampleRate)))
        return false;
    const bool ok = resgen::AudioEncoder::encodeMp3(out.pathOf(wav), out.pathOf("2010-04-03.mp3"));
    std::filesystem::remove(out.pathOf(wav));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    Options opt;
    if (!parse(argc, argv, opt)) {
        std::fprintf(stderr, "usage: quenfold-resgen <resource-dir> [--no-mp3] [--contact-sheet <file.png>] [--icons <dir>]\n");
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(opt.outDir, ec);
    resgen::ResourceWriter out(opt.outDir);
    Stopwatch clock;
    bool ok = resgen::Gradients::writeAll(out) && resgen::CubeMaps::writeAll(out) && resgen::LogoModel::write(out);
    // The pictures drawn on screen at 1x, 2x and 4x (3x draws the 4x ones).
    for (int s : {1, 2, 4})
        ok = ok && resgen::FontAtlas(resgen::condensedBoldFont, 13, 11).write(out, "FontSupernatural", s)
            && resgen::FontAtlas(resgen::sansFont, 12, 11).write(out, "FontHelvetica", s)
            && resgen::Lettering::writeAll(out, s) && resgen::Sprites::writeAll(out, s)
            && resgen::Indicators::writeAll(out, s) && resgen::Photos::writeAll(out, s);
    std::printf("images and model: %.2f s\n", clock.lap());
    ok = ok && writeMusic(out, opt.mp3);
    std::printf("music: %.2f s\n", clock.lap());
    if (ok && !opt.contactSheet.empty()) {
        resgen::ResourceWriter sheetOut(std::filesystem::path(opt.contactSheet).parent_path().string());
        ok = sheetOut.savePng(std::filesystem::path(opt.contactSheet).filename().string(),
                              resgen::ContactSheet::compose(out));
    }
    if (ok && !opt.iconDir.empty()) {
        std::filesystem::create_directories(opt.iconDir, ec);
        resgen::ResourceWriter icons(opt.iconDir);
        ok = resgen::AppIcon::writeAll(icons);
    }
    SDL_Quit();
    return ok && out.ok() ? 0 : 1;
}
