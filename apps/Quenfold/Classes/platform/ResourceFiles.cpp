#include "ResourceFiles.h"

#include "utils/Utils.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string& resourceDir()
{
    static std::string dir;
    return dir;
}

std::string findDirectory()
{
    std::error_code ec;
    const fs::path exeDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    for (const fs::path& candidate : {exeDir / "resources", exeDir.parent_path() / "resources"}) {
        if (fs::is_directory(candidate, ec))
            return candidate.string();
    }
    return (exeDir / "resources").string();
}

} // namespace

const std::string& ResourceFiles::directory()
{
    std::string& dir = resourceDir();
    if (dir.empty())
        dir = findDirectory();
    return dir;
}

void ResourceFiles::logDirectory()
{
    vell::Log::msg("Reading resources from %s", directory().c_str());
}

void ResourceFiles::setDirectory(const std::string& dir)
{
    resourceDir() = dir;
}

std::string ResourceFiles::binaryPath(const std::string& name)
{
    const fs::path file = fs::path(name).filename();
    if (file.empty() || file == "." || file == "..")
        return std::string();
    return (fs::path(directory()) / file).string();
}

std::string ResourceFiles::textPath(const std::string& name)
{
    const fs::path relative = fs::path(name).lexically_normal();
    if (relative.empty() || relative == "." || relative.is_absolute() || *relative.begin() == "..")
        return std::string();
    return (fs::path(directory()) / relative).string();
}

bool ResourceFiles::readFile(const std::string& path, std::string* contents)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    *contents = buffer.str();
    return true;
}
