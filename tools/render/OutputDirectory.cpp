#include "OutputDirectory.h"

#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

bool OutputDirectory::prepare(const std::string& dir)
{
    std::error_code ec;
    fs::path path = fs::path(dir).lexically_normal();
    if (path.filename().empty() && path.has_parent_path())
        path = path.parent_path(); // "a/b/" names "a/b"
    created.clear();
    for (fs::path p = path; !p.empty() && !fs::exists(fs::symlink_status(p, ec)); p = p.parent_path()) {
        created.push_back(p);
        if (p == p.parent_path())
            break;
    }
    fs::create_directories(path, ec);
    const bool writable = isWritable(path);
    if (!writable)
        removeCreated();
    return writable;
}

void OutputDirectory::removeCreated() const
{
    std::error_code ec;
    for (const fs::path& dir : created) {
        if (!fs::remove(dir, ec))
            break; // not empty, or gone: leave it and its parents
    }
}

bool OutputDirectory::isWritable(const fs::path& dir)
{
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return false;
    // A fresh, exclusively created name never clobbers a file of the user's.
    std::string probe = (dir / ".quenfold-render-XXXXXX").string();
    const int fd = mkstemp(probe.data());
    if (fd < 0)
        return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}
