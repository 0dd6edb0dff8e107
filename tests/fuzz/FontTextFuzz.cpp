// Font metrics and printed text: the first byte is the metrics file's length, the
// metrics follow, the rest is the text. Each printable code gives one quad of four
// vertices on usable metrics and nothing is drawn on unusable ones.
#include "FuzzSupport.h"
#include "toolkit/Canvas.h"

#include <cmath>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int x = static_cast<int8_t>(data[0]) * 8, y = static_cast<int8_t>(data[1]) * 8;
    const size_t metricsSize = std::min<size_t>(data[2], size - 3);
    fuzzPutResource("FontSupernatural.dat", data + 3, metricsSize);
    const std::string text(reinterpret_cast<const char*>(data + 3 + metricsSize), size - 3 - metricsSize);

    static Canvas canvas(480, 320); // no GL: its shaders and texture stay null
    canvas.glyphAdvances = GlyphAdvances("FontSupernatural.dat");
    size_t glyphs = 0;
    for (char c : text)
        glyphs += static_cast<signed char>(c) >= 0;
    if (!canvas.glyphAdvances.isUsable())
        glyphs = 0;

    const std::unique_ptr<vell::Geometry> quads(canvas.textGeometry(x, y, text));
    const unsigned int vertices = quads->getNumVertices();
    FUZZ_CHECK(vertices <= 65536);
    FUZZ_CHECK(vertices == 4 * std::min<size_t>(glyphs, 16384));
    FUZZ_CHECK(quads->getNumIndices() == vertices / 4 * 6);
    for (unsigned int i = 0; i < quads->getNumIndices(); ++i)
        FUZZ_CHECK(quads->getIndices()[i] < vertices);
    const vell::VertexAttrib* position = quads->getAttrib("position", vell::VEC3);
    FUZZ_CHECK(position != nullptr);
    canvas.printText(x, y, text);
    return 0;
}
