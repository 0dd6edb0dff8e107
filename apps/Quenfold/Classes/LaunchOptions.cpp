#include "LaunchOptions.h"

#include "framework/EffectFactory.h"
#include "utils/Utils.h"

#include <cstring>

const char* LaunchOptions::usage()
{
    return "usage: quenfold [--effect NAME] [--scale S] [--present gl|cpu] [--dev] [--script FILE]\n"
           "                [--frame-log FILE]\n"
           "       quenfold --help | --version\n"
           "  --effect NAME     run one registered effect alone instead of the demo\n"
           "  --scale S         draw 480S x 320S pixels a frame, S from 1 to 4 (F3 switches);\n"
           "                    by default 1 on a software renderer, else the most the window fits\n"
           "  --present gl|cpu  show frames by a GL swap with vsync, or read back and through the\n"
           "                    window surface; by default the swap, unless the renderer draws on the CPU\n"
           "  --dev             development controls: Space, Left/Right, F1, F2, F5\n"
           "  --script FILE     the demo plays the keys of the fields FILE names in place of its\n"
           "                    own; with --dev it follows the file as it is saved (F5 reads it)\n"
           "  --frame-log FILE  write a line per presented frame to FILE: the time it was shown,\n"
           "                    the demo time, the process's CPU time, the presentation's CPU ms";
}

bool LaunchOptions::parse(int argc, const char* const* argv, std::string* error)
{
    // The value after option argv[i], never empty; false with a message otherwise.
    auto value = [&](int* i, const char* what, std::string* out) {
        if (*i + 1 >= argc || argv[*i + 1][0] == '\0') {
            *error = std::string(argv[*i]) + " needs " + what;
            return false;
        }
        *out = argv[++*i];
        return true;
    };
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
            help = true;
        } else if (strcmp(arg, "--version") == 0) {
            version = true;
        } else if (strcmp(arg, "--dev") == 0) {
            developer = true;
        } else if (strcmp(arg, "--effect") == 0) {
            if (!value(&i, "an effect name", &effectName))
                return false;
        } else if (strcmp(arg, "--scale") == 0) {
            std::string s;
            if (!value(&i, "a whole number from 1 to 4", &s))
                return false;
            if (s.size() != 1 || s[0] < '1' || s[0] > '4') {
                *error = "--scale needs a whole number from 1 to 4, not '" + vell::printableText(s) + "'";
                return false;
            }
            scale = s[0] - '0';
        } else if (strcmp(arg, "--script") == 0) {
            if (!value(&i, "a file name", &scriptPath))
                return false;
        } else if (strcmp(arg, "--present") == 0) {
            std::string way;
            if (!value(&i, "gl or cpu", &way))
                return false;
            if (!PresenterChoice::parse(way, &present)) {
                *error = "--present needs gl or cpu, not '" + vell::printableText(way) + "'";
                return false;
            }
        } else if (strcmp(arg, "--frame-log") == 0) {
            if (!value(&i, "a file name", &frameLog))
                return false;
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
