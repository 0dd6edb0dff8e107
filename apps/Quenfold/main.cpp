// Quenfold in a desktop window.
#include "LaunchOptions.h"
#include "QuenfoldAppDelegate.h"
#include "ResourceFiles.h"
#include "graphics/Shader.h"
#include "utils/Utils.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    LaunchOptions options;
    std::string error;
    if (!options.parse(argc, argv, &error)) {
        fprintf(stderr, "quenfold: %s\n%s\n", error.c_str(), LaunchOptions::usage());
        return 2;
    }
    if (options.help) {
        printf("%s\n", LaunchOptions::usage());
        return 0;
    }
    if (options.version) {
        printf("quenfold %s\n", QUENFOLD_VERSION);
        return 0;
    }
    if (!ResourceFiles::found(&error)) {
        fprintf(stderr, "quenfold: %s\n", vell::printableText(error).c_str());
        return 1;
    }
    ResourceFiles::logDirectory();
    // Development aid: shaders re-read their files while the program runs.
    const char* reload = getenv("QUENFOLD_SHADER_RELOAD");
    vell::Shader::setReloadAll(reload && strcmp(reload, "1") == 0);

    QuenfoldAppDelegate delegate(options);
    return delegate.run();
}
