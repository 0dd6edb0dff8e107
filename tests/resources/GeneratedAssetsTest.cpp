#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string resource(const std::string& name)
{
    return std::string(QUENFOLD_RESOURCE_DIR) + "/" + name;
}

std::vector<int8_t> readMetrics(const std::string& name)
{
    std::ifstream in(resource(name), std::ios::binary);
    return std::vector<int8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

// Alpha of pixel (x, y) of a surface converted to RGBA32.
uint8_t alphaAt(SDL_Surface* s, int x, int y)
{
    return static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x * 4 + 3];
}

} // namespace

TEST(GeneratedFonts, MetricsHoldOneAdvancePerCodeWithNarrowSpace)
{
    for (const char* name : {"FontSupernatural.dat", "FontHelvetica.dat"}) {
        SCOPED_TRACE(name);
        const std::vector<int8_t> m = readMetrics(name);
        ASSERT_EQ(m.size(), 256u);
        EXPECT_LT(m[' '], m['W']);
        EXPECT_LT(m['i'], m['m']);
        for (int c = 33; c < 127; ++c) {
            // Stored value is advance - 1; a glyph quad is 16 pixels wide.
            EXPECT_GE(m[static_cast<size_t>(c)], 1) << "code " << c;
            EXPECT_LE(m[static_cast<size_t>(c)], 15) << "code " << c;
        }
    }
}

TEST(GeneratedFonts, AtlasGlyphsSitInTheTopFourteenRowsOfTheirCells)
{
    for (const char* name : {"FontSupernatural.png", "FontHelvetica.png"}) {
        SCOPED_TRACE(name);
        SDL_Surface* loaded = IMG_Load(resource(name).c_str());
        ASSERT_NE(loaded, nullptr);
        SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(loaded);
        ASSERT_EQ(s->w, 256);
        ASSERT_EQ(s->h, 256);
        for (int c : {'A', 'W', 'g', 'j', '|'}) {
            const int cx = (c % 16) * 16;
            const int cy = (c / 16) * 16;
            int inked = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    if (alphaAt(s, cx + x, cy + y) > 0) {
                        ++inked;
                        EXPECT_LT(y, 14) << "glyph " << static_cast<char>(c) << " reaches row " << y;
                    }
            EXPECT_GT(inked, 10) << "glyph " << static_cast<char>(c);
        }
        int spaceInk = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                spaceInk += alphaAt(s, (' ' % 16) * 16 + x, (' ' / 16) * 16 + y) > 0;
        EXPECT_EQ(spaceInk, 0);
        SDL_FreeSurface(s);
    }
}

TEST(GeneratedModel, LogoHasSeveralObjectsWithOneNormalPerPosition)
{
    std::ifstream in(resource("sorv05tri.obj"));
    ASSERT_TRUE(in);
    struct Object {
        size_t positions = 0, normals = 0, faces = 0;
    };
    std::vector<Object> objects;
    size_t positions = 0, normals = 0, totalFaces = 0;
    size_t objectFirst = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string tag;
        ls >> tag;
        if (tag == "o") {
            objects.emplace_back();
            objectFirst = positions;
        } else if (tag == "v" || tag == "vn") {
            float x, y, z;
            ASSERT_TRUE(static_cast<bool>(ls >> x >> y >> z)) << line;
            ASSERT_FALSE(objects.empty()) << "geometry before the first object";
            if (tag == "v") {
                ++positions;
                ++objects.back().positions;
            } else {
                EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0f, 1e-3f) << line;
                ++normals;
                ++objects.back().normals;
            }
        } else if (tag == "f") {
            std::vector<std::string> corners;
            for (std::string c; ls >> c;)
                corners.push_back(c);
            ASSERT_EQ(corners.size(), 3u) << "not a triangle: " << line;
            for (const std::string& c : corners) {
                const size_t slash = c.find("//");
                ASSERT_NE(slash, std::string::npos) << line;
                const long v = std::stol(c.substr(0, slash));
                // Normals are read by position index, so both indices must agree.
                EXPECT_EQ(c.substr(slash + 2), c.substr(0, slash)) << line;
                EXPECT_GT(static_cast<size_t>(v), objectFirst) << line;
                EXPECT_LE(static_cast<size_t>(v), positions) << line;
            }
            ++objects.back().faces;
            ++totalFaces;
        }
    }
    EXPECT_GE(objects.size(), 3u);
    EXPECT_EQ(positions, normals);
    for (const Object& o : objects) {
        EXPECT_EQ(o.positions, o.normals);
        EXPECT_GT(o.faces, 0u);
        // The loader gives every face three vertices of its own; indices are 16-bit.
        EXPECT_LT(o.faces * 3, 65536u);
    }
    // The particle logo scatters six points per face into one 16-bit indexed cloud.
    EXPECT_LT(totalFaces * 6, 65536u);
}

TEST(GeneratedImages, EveryImageDecodesWithPowerOfTwoSize)
{
    // Textures get mipmaps and repeat wrapping, which OpenGL ES 2.0 allows only for power-of-two sizes.
    int images = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUENFOLD_RESOURCE_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".png" && ext != ".jpg")
            continue;
        SDL_Surface* s = IMG_Load(entry.path().string().c_str());
        ASSERT_NE(s, nullptr) << entry.path();
        EXPECT_TRUE(isPowerOfTwo(s->w) && isPowerOfTwo(s->h)) << entry.path() << " is " << s->w << "x" << s->h;
        SDL_FreeSurface(s);
        ++images;
    }
    EXPECT_GT(images, 50);
}

TEST(GeneratedMusic, TrackDecodesToAboutTheShowLength)
{
    // Decoding needs an opened mixer but no sound card.
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_Music* music = Mix_LoadMUS(resource("2010-04-03.mp3").c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MP3);
    EXPECT_NEAR(Mix_MusicDuration(music), 215.0, 1.5);
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(GeneratedImages, CubeMapsHaveSixSquareFacesOfOneSize)
{
    // A cube texture is incomplete unless all six faces are square and equally sized.
    for (const char* base : {"gradient", "blurred_light", "skyPosX.png"}) {
        int size = 0;
        for (const char* face : {"posx", "negx", "posy", "negy", "posz", "negz"}) {
            const std::string name = std::string(base) + "_" + face + ".png";
            SDL_Surface* s = IMG_Load(resource(name).c_str());
            ASSERT_NE(s, nullptr) << name;
            EXPECT_EQ(s->w, s->h) << name;
            if (size == 0)
                size = s->w;
            EXPECT_EQ(s->w, size) << name;
            SDL_FreeSurface(s);
        }
    }
}
