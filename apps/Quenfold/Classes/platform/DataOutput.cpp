#include "DataOutput.h"

#include <unistd.h>

DataOutput::DataOutput()
{
    fflush(stdout);
    const int kept = dup(STDOUT_FILENO);
    data = kept >= 0 ? fdopen(kept, "w") : nullptr;
    if (data) {
        dup2(STDERR_FILENO, STDOUT_FILENO);
    } else { // no spare descriptor: data and log share standard output
        if (kept >= 0)
            close(kept);
        data = stdout;
    }
}

DataOutput::~DataOutput()
{
    if (data != stdout)
        fclose(data);
}
