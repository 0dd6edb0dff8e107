#pragma once

#include "support/RenderTool.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What a test does to a resource file: removes it, cuts an image in half,
// misspells a shader's "main" so that it no longer compiles, empties it, drops a
// shader's marker lines, or gives a model a face past its vertices, more faces
// than 16-bit indices reach, or a vertex of "nan".
enum class Fault { Missing, Cut, Garbled, Empty, Unmarked, OutOfRange, Overfull, NotANumber };

const std::vector<Fault>& allFaults();
const char* faultName(Fault fault);
// The faults that apply to a file, by its extension.
std::vector<Fault> faultsFor(const std::string& name);

// quenfold-render (a hard link, or a copy) beside its own copy of the resources,
// which a test may break file by file.
class ResourceSandbox {
public:
    explicit ResourceSandbox(const std::string& tag);
    ~ResourceSandbox();
    ResourceSandbox(const ResourceSandbox&) = delete;
    ResourceSandbox& operator=(const ResourceSandbox&) = delete;

    std::filesystem::path resources() const { return root / "resources"; }

    // Runs the renderer with args and "--out frames" in the sandbox: its standard
    // output, then its standard error marked as such.
    RenderRun render(const std::string& args) const;
    // The same with args alone.
    RenderRun run(const std::string& args) const;

    // The resource files (relative names) a clean run with args reads, in name
    // order; the run itself is returned in *clean.
    std::vector<std::string> filesRead(const std::string& args, RenderRun* clean) const;

    // Applies the fault to the resource name (a relative path); restore() puts
    // back every file broken since.
    void breakFile(const std::string& name, Fault fault);
    void restore();

private:
    std::filesystem::path root;
    std::map<std::string, std::string> originals;
};

std::string slurp(const std::filesystem::path& path);
void spit(const std::filesystem::path& path, const std::string& bytes);

// The lines of out that contain name.
int linesNaming(const std::string& out, const std::string& name);
