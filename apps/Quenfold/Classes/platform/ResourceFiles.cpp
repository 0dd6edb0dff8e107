#include "ResourceFiles.h"

#include "utils/Utils.h"

#include <cstdlib>
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

#ifndef QUENFOLD_DATA_DIR // the page's build, which sets its directory itself
#define QUENFOLD_DATA_DIR "/usr/local/share/quenfold"
#endif

// The first candidate that exists; else the first one, where every read then fails.
std::string findDirectory()
{
    const std::vector<std::string> candidates = ResourceFiles::candidates();
    std::error_code ec;
    for (const std::string& candidate : candidates)
        if (fs::is_directory(candidate, ec))
            return candidate;
    return candidates.front();
}

} // namespace

const std::string& ResourceFiles::directory()
{
    std::string& dir = resourceDir();
    if (dir.empty())
        dir = findDirectory();
    return dir;
}

std::vector<std::string> ResourceFiles::candidates()
{
    const char* chosen = getenv("QUENFOLD_RESOURCES");
    if (chosen && *chosen)
        return {chosen};
    std::error_code ec;
    const fs::path exeDir = fs::read_symlink("/proc/self/exe", ec).parent_path(); // the real path
    return {(exeDir / "resources").string(), (exeDir.parent_path() / "resources").string(),
            (exeDir.parent_path() / "share" / "quenfold").string(), QUENFOLD_DATA_DIR};
}

bool ResourceFiles::found(std::string* error)
{
    std::error_code ec;
    if (fs::is_directory(directory(), ec))
        return true;
    std::string places;
    for (const std::string& candidate : candidates())
        places += (places.empty() ? "" : ", ") + candidate;
    const char* chosen = getenv("QUENFOLD_RESOURCES");
    *error = "no resource directory at " + places +
             (chosen && *chosen ? " (from QUENFOLD_RESOURCES)" : " (QUENFOLD_RESOURCES=DIR names one)");
    return false;
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
