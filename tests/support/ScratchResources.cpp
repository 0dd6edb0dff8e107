#include "support/ScratchResources.h"

#include "ResourceFiles.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchResources::ScratchResources() : saved(ResourceFiles::directory())
{
    static int counter = 0;
    dir = fs::temp_directory_path() /
          ("quenfold-res-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(dir);
    ResourceFiles::setDirectory(dir.string());
}

ScratchResources::~ScratchResources()
{
    ResourceFiles::setDirectory(saved);
    std::error_code ec;
    fs::remove_all(dir, ec);
}

void ScratchResources::put(const std::string& name, const std::string& bytes) const
{
    fs::create_directories((dir / name).parent_path());
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

void ScratchResources::putImage(const std::string& name, int width, int height,
                                const std::vector<uint8_t>& rgba) const
{
    fs::create_directories((dir / name).parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < height; ++y)
        memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, &rgba[static_cast<size_t>(y) * width * 4],
               static_cast<size_t>(width) * 4);
    EXPECT_EQ(IMG_SavePNG(s, (dir / name).c_str()), 0);
    SDL_FreeSurface(s);
}
