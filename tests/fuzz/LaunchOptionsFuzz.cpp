// The command line of quenfold (arguments separated by NUL bytes): an accepted
// one names the demo or a registered effect, a refused one says why.
#include "FuzzSupport.h"
#include "LaunchOptions.h"
#include "framework/EffectFactory.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args{"quenfold"};
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());

    LaunchOptions options;
    std::string error;
    if (!options.parse(static_cast<int>(argv.size()), argv.data(), &error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(options.effectName.empty() || EffectFactory::getInstance()->find(options.effectName.c_str()));
    return 0;
}
