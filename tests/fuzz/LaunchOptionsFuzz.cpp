// The command line of quenfold (arguments separated by NUL bytes): an accepted
// one names the demo or a registered effect at a content scale of 0 (chosen at
// start) to 4, a refused one says why.
#include "FuzzSupport.h"
#include "LaunchOptions.h"
#include "framework/EffectFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzArguments args("quenfold", data, size);

    LaunchOptions options;
    std::string error;
    if (!options.parse(args.argc(), args.argv(), &error)) {
        FUZZ_CHECK(!error.empty() && isOneLine(error));
        return 0;
    }
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(options.effectName.empty() || EffectFactory::getInstance()->find(options.effectName.c_str()));
    FUZZ_CHECK(options.scale >= 0 && options.scale <= 4);
    return 0;
}
