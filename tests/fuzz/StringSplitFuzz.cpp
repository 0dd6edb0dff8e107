// The two string splitters give the same tokens: non-empty, free of delimiters,
// and together every non-delimiter character of the text in order.
#include "FuzzSupport.h"
#include "toolkit/StrUtil.h"
#include "utils/Utils.h"

#include <list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t delimiterCount = data[0] % 4 + 1;
    if (size < 1 + delimiterCount)
        return 0;
    const std::string delimiters(reinterpret_cast<const char*>(data + 1), delimiterCount);
    const std::string text(reinterpret_cast<const char*>(data + 1 + delimiterCount), size - 1 - delimiterCount);

    std::list<std::string> listed{"kept"};
    vell::stringExplode(text, delimiters, &listed);
    FUZZ_CHECK(listed.front() == "kept");
    listed.pop_front();
    const std::vector<std::string> exploded = strUtil::explode(delimiters, text);
    FUZZ_CHECK(std::vector<std::string>(listed.begin(), listed.end()) == exploded);

    std::string joined;
    for (const std::string& token : exploded) {
        FUZZ_CHECK(!token.empty());
        FUZZ_CHECK(token.find_first_of(delimiters) == std::string::npos);
        joined += token;
    }
    std::string kept;
    for (char c : text) {
        if (delimiters.find(c) == std::string::npos)
            kept += c;
    }
    FUZZ_CHECK(joined == kept);

    strUtil::toFloat(text);
    strUtil::toInt(text);
    return 0;
}
