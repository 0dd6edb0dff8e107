#include "support/ResourceSandbox.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Access time a month before the modification time: a later read moves it past.
void ageAccessTime(const fs::path& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        const timespec times[2] = {{st.st_mtim.tv_sec - 30 * 86400, 0}, st.st_mtim};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
}

bool readSinceAged(const fs::path& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && st.st_atim.tv_sec >= st.st_mtim.tv_sec;
}

} // namespace

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void spit(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int linesNaming(const std::string& out, const std::string& name)
{
    std::istringstream lines(out);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.find(name) != std::string::npos;
    return count;
}

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing: return "missing";
    case Fault::Cut: return "cut";
    case Fault::Garbled: return "garbled";
    }
    return "";
}

std::vector<Fault> faultsFor(const std::string& name)
{
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".png" || ext == ".jpg")
        return {Fault::Missing, Fault::Cut};
    if (ext == ".glsl")
        return {Fault::Missing, Fault::Garbled};
    return {Fault::Missing};
}

ResourceSandbox::ResourceSandbox(const std::string& tag)
    : root(fs::temp_directory_path() / ("quenfold-broken-" + std::to_string(getpid()) + "-" + tag))
{
    fs::remove_all(root);
    fs::create_directories(root);
    std::error_code ec;
    fs::create_hard_link(QUENFOLD_RENDER_PATH, root / "quenfold-render", ec);
    if (ec)
        fs::copy_file(QUENFOLD_RENDER_PATH, root / "quenfold-render");
    fs::copy(QUENFOLD_RESOURCE_DIR, root / "resources", fs::copy_options::recursive);
}

ResourceSandbox::~ResourceSandbox()
{
    std::error_code ec;
    fs::remove_all(root, ec);
}

RenderRun ResourceSandbox::render(const std::string& args) const
{
    RenderRun run = runCommand("cd '" + root.string() + "' && ./quenfold-render " + args + " --out frames 2>stderr");
    const std::string err = slurp(root / "stderr");
    if (!err.empty())
        run.out += "[stderr]\n" + err;
    return run;
}

std::vector<std::string> ResourceSandbox::filesRead(const std::string& args, RenderRun* clean) const
{
    std::vector<std::string> all, read;
    for (const auto& entry : fs::recursive_directory_iterator(resources())) {
        if (entry.is_regular_file()) {
            all.push_back(fs::relative(entry.path(), resources()).string());
            ageAccessTime(entry.path());
        }
    }
    *clean = render(args);
    for (const std::string& name : all) {
        if (readSinceAged(resources() / name))
            read.push_back(name);
    }
    std::sort(read.begin(), read.end());
    return read;
}

void ResourceSandbox::breakFile(const std::string& name, Fault fault)
{
    const fs::path path = resources() / name;
    std::string bytes = slurp(path);
    originals.emplace(name, bytes);
    if (fault == Fault::Missing) {
        fs::remove(path);
    } else if (fault == Fault::Cut) {
        spit(path, bytes.substr(0, bytes.size() / 2));
    } else {
        for (size_t at = bytes.find("main"); at != std::string::npos; at = bytes.find("main", at))
            bytes.replace(at, 4, "ma!n");
        spit(path, bytes);
    }
}

void ResourceSandbox::restore()
{
    for (const auto& [name, bytes] : originals)
        spit(resources() / name, bytes);
    originals.clear();
}
