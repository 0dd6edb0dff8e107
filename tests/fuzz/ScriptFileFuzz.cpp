// Script files: an accepted one has keys in time order with finite times and
// reads back from its own text to the same text; a refused one says why on one
// line that names the file and, past the first line, the line.
#include "FuzzSupport.h"
#include "script/ScriptFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScriptFile file;
    std::string error;
    if (!ScriptFile::parse(text, "s", &file, &error)) {
        FUZZ_CHECK(isOneLine(error) && error.rfind("s:", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(error.empty());
    for (const ScriptFile::Field& f : file.fields) {
        FUZZ_CHECK(!f.keys.empty() && f.type < 5);
        for (size_t i = 0; i < f.keys.size(); ++i) {
            FUZZ_CHECK(std::isfinite(f.keys[i].time) && f.keys[i].mode >= 0 && f.keys[i].mode < 4);
            FUZZ_CHECK(f.keys[i].value.index() == f.type);
            FUZZ_CHECK(i == 0 || f.keys[i - 1].time <= f.keys[i].time);
        }
    }
    ScriptFile again;
    FUZZ_CHECK(ScriptFile::parse(file.text(), "s", &again, &error));
    FUZZ_CHECK(again.text() == file.text());
    return 0;
}
