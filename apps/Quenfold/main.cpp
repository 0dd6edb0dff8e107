// Quenfold in a desktop window.
#include "DataOutput.h"
#include "LaunchOptions.h"
#include "QuenfoldAppDelegate.h"
#include "ResourceFiles.h"
#include "graphics/Shader.h"
#include "utils/Utils.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const DataOutput output; // the help on stdout; the log, like every message, on stderr
    LaunchOptions options;
    std::string error;
    if (!options.parse(argc, argv, &error)) {
        fprintf(stderr, "quenfold: %s\n%s\n", error.c_str(), LaunchOptions::usage());
        return 2;
    }
    if (options.help) {
        fprintf(output.stream(), "%s\n", LaunchOptions::usage());
        return 0;
    }
    if (options.version) {
        fprintf(output.stream(), "quenfold %s\n", QUENFOLD_VERSION);
        return 0;
    }
    if (!ResourceFiles::found(&error)) {
        fprintf(stderr, "quenfold: %s\n", vell::printableText(error).c_str());
        return 1;
    }
    // Past a file size limit the frame log's write fails with EFBIG and the log stops, as on a full disk.
    signal(SIGXFSZ, SIG_IGN);
    ResourceFiles::logDirectory();
    // Development aid: shaders re-read their files while the program runs.
    const char* reload = getenv("QUENFOLD_SHADER_RELOAD");
    vell::Shader::setReloadAll(reload && strcmp(reload, "1") == 0);

    QuenfoldAppDelegate delegate(options);
    return delegate.run();
}
