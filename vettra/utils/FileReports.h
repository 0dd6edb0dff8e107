#pragma once

#include <string>

namespace vell {

// Loaders report a broken resource file once per process, however many of
// them share it.
class FileReports {
public:
    // True the first time fileName is passed.
    static bool isFirst(const std::string& fileName);
};

} // namespace vell
