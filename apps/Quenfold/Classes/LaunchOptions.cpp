#include "LaunchOptions.h"

#include "framework/EffectFactory.h"
#include "utils/Utils.h"

#include <cstring>

const char* LaunchOptions::usage()
{
    return "usage: quenfold [--effect NAME] [--dev]\n"
           "  --effect NAME  run one registered effect alone instead of the demo\n"
           "  --dev          development controls: Space, Left/Right, F5, F1";
}

bool LaunchOptions::parse(int argc, const char* const* argv, std::string* error)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
            help = true;
        } else if (strcmp(arg, "--dev") == 0) {
            developer = true;
        } else if (strcmp(arg, "--effect") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                *error = "--effect needs an effect name";
                return false;
            }
            effectName = argv[++i];
        } else {
            *error = "unknown argument '" + vell::printableText(arg) + "'";
            return false;
        }
    }
    const EffectFactory* factory = EffectFactory::getInstance();
    if (!effectName.empty() && !factory->find(effectName.c_str())) {
        *error = "unknown effect '" + vell::printableText(effectName) + "'; registered effects:";
        for (int i = 0; i < factory->getNumEffects(); ++i)
            *error += std::string(i ? ", " : " ") + factory->getEffectName(i);
        return false;
    }
    return true;
}
