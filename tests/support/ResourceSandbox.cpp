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

void replaceAll(std::string* text, const std::string& from, const std::string& to)
{
    for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at + to.size()))
        text->replace(at, from.size(), to);
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

const std::vector<Fault>& allFaults()
{
    static const std::vector<Fault> faults = {Fault::Missing,  Fault::Cut,        Fault::Garbled,
                                              Fault::Empty,    Fault::Unmarked,   Fault::OutOfRange,
                                              Fault::Overfull, Fault::NotANumber};
    return faults;
}

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing: return "missing";
    case Fault::Cut: return "cut";
    case Fault::Garbled: return "garbled";
    case Fault::Empty: return "empty";
    case Fault::Unmarked: return "unmarked";
    case Fault::OutOfRange: return "out-of-range";
    case Fault::Overfull: return "overfull";
    case Fault::NotANumber: return "not-a-number";
    }
    return "";
}

std::vector<Fault> faultsFor(const std::string& name)
{
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".png" || ext == ".jpg")
        return {Fault::Missing, Fault::Cut};
    if (ext == ".glsl")
        return {Fault::Missing, Fault::Garbled, Fault::Empty, Fault::Unmarked};
    if (ext == ".obj")
        return {Fault::Missing, Fault::Empty, Fault::OutOfRange, Fault::Overfull, Fault::NotANumber};
    if (ext == ".dat")
        return {Fault::Missing, Fault::Empty};
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
    return run(args + " --out frames");
}

RenderRun ResourceSandbox::run(const std::string& args) const
{
    RenderRun result = runCommand("cd '" + root.string() + "' && ./quenfold-render " + args + " 2>stderr");
    const std::string err = slurp(root / "stderr");
    if (!err.empty())
        result.out += "[stderr]\n" + err;
    return result;
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
    switch (fault) {
    case Fault::Missing:
        fs::remove(path);
        return;
    case Fault::Cut: bytes.resize(bytes.size() / 2); break;
    case Fault::Garbled: replaceAll(&bytes, "main", "ma!n"); break;
    case Fault::Empty: bytes.clear(); break;
    case Fault::Unmarked:
        replaceAll(&bytes, "//[VERT]\n", "");
        replaceAll(&bytes, "//[FRAG]\n", "");
        break;
    case Fault::OutOfRange: bytes += "\nf 1 2 999999\n"; break;
    case Fault::Overfull:
        for (int i = 0; i < 21846; ++i) // 65538 vertices in the last object
            bytes += "\nf 1 2 3";
        break;
    case Fault::NotANumber: {
        const size_t line = bytes.find("\nv ") + 1;
        bytes.replace(line, bytes.find('\n', line) - line, "v nan nan nan");
        break;
    }
    }
    spit(path, bytes);
}

void ResourceSandbox::restore()
{
    for (const auto& [name, bytes] : originals)
        spit(resources() / name, bytes);
    originals.clear();
}
