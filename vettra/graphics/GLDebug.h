#pragma once

namespace vell {

class GLDebug {
public:
    // Logs label and the pending GL error, if there is one (one error per call).
    static void checkErrors(const char* label);
    // Errors checkErrors has reported in this process.
    static long errorCount();
};

} // namespace vell
