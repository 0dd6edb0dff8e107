#include "support/RenderTool.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

RenderRun runRender(const std::string& args, bool withStderr, const std::string& prefix)
{
    return runCommand(prefix + " " + QUENFOLD_RENDER_PATH + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null"));
}

RenderRun runCommand(const std::string& command)
{
    RenderRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
