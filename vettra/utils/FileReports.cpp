#include "utils/FileReports.h"

#include <mutex>
#include <set>

namespace vell {

bool FileReports::isFirst(const std::string& fileName)
{
    static std::mutex lock;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> hold(lock);
    return reported.insert(fileName).second;
}

} // namespace vell
