#include "OutputTarget.h"

#include "OutputDirectory.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40; // as the kernel follows

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::string OutputTarget::resolve(const std::string& path)
{
    fs::path file(path);
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(file, ec)); ++i) {
        const fs::path link = fs::read_symlink(file, ec);
        if (ec)
            break;
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return file.string();
}

bool OutputTarget::check(const std::string& path, int dataOutput, std::string* error)
{
    const auto refuse = [&](const std::string& why) {
        *error = "cannot write the file '" + path + "'" + (why.empty() ? "" : ": " + why);
        return false;
    };
    // stat follows every link, /dev/stdout's too, to what a write would reach.
    struct stat target;
    if (stat(path.c_str(), &target) == 0) {
        if (!S_ISREG(target.st_mode))
            return refuse(S_ISDIR(target.st_mode) ? "it is a directory" : "it is not a regular file");
        struct stat stream;
        if (fstat(dataOutput, &stream) == 0 && sameFile(stream, target))
            return refuse("it is the standard output");
        if (fstat(STDERR_FILENO, &stream) == 0 && sameFile(stream, target))
            return refuse("it is the standard error");
    } else if (errno != ENOENT) {
        return refuse(strerror(errno));
    }
    const fs::path parent = fs::path(resolve(path)).parent_path();
    return OutputDirectory::isWritable(parent.empty() ? "." : parent) || refuse("");
}

bool OutputTarget::isReplaceable(const std::string& resolved)
{
    struct stat target;
    return lstat(resolved.c_str(), &target) == 0 ? S_ISREG(target.st_mode) : errno == ENOENT;
}
