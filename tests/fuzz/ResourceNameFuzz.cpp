// Resource names never reach outside the resource directory: a resolved path is
// strictly inside it, and a file beside the directory is never read.
#include "FuzzSupport.h"
#include "ResourceFiles.h"
#include "utils/Platform.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string outside = "outside the resource directory";

// The resource directory is "inside/" of the scratch directory, beside "secret.txt".
const std::string& insideDir()
{
    static std::string dir;
    if (dir.empty()) {
        const fs::path root = fuzzResourceDir();
        fs::create_directories(root / "inside" / "sub");
        fuzzPutResource("secret.txt", reinterpret_cast<const uint8_t*>(outside.data()), outside.size());
        fuzzPutResource("inside/sub/ok.txt", reinterpret_cast<const uint8_t*>("ok"), 2);
        dir = (root / "inside").string();
        ResourceFiles::setDirectory(dir);
    }
    return dir;
}

bool strictlyInside(const std::string& path, const std::string& dir)
{
    const fs::path relative = fs::path(path).lexically_normal().lexically_relative(dir);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& dir = insideDir();
    const std::string name(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));

    for (const std::string& path : {ResourceFiles::textPath(name), ResourceFiles::binaryPath(name)})
        FUZZ_CHECK(path.empty() || strictlyInside(path, dir));

    if (const char* text = osLoadTextFile(name.c_str()))
        FUZZ_CHECK(outside != text);
    size_t length = 0;
    if (void* bytes = osLoadBinaryFile(name.c_str(), &length)) {
        FUZZ_CHECK(std::string(static_cast<const char*>(bytes), length) != outside);
        free(bytes);
    }
    return 0;
}
