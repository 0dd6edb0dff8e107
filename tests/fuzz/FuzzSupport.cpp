#include "FuzzSupport.h"

#include "ResourceFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

void fuzzFail(const char* what, const char* file, int line)
{
    fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    abort();
}

namespace {

std::string scratch;

void removeScratch()
{
    std::error_code ec;
    fs::remove_all(scratch, ec);
}

} // namespace

const std::string& fuzzResourceDir()
{
    if (scratch.empty()) {
        fflush(stdout);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        close(devNull);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        scratch = (base / ("quenfold-fuzz-" + std::to_string(getpid()))).string();
        fs::create_directories(scratch);
        ResourceFiles::setDirectory(scratch);
        atexit(removeScratch);
    }
    return scratch;
}

bool isOneLine(const std::string& message)
{
    return std::none_of(message.begin(), message.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7f;
    });
}

void fuzzPutResource(const std::string& name, const uint8_t* data, size_t size)
{
    FILE* f = fopen((fs::path(fuzzResourceDir()) / name).c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    FUZZ_CHECK(fwrite(data, 1, size, f) == size);
    fclose(f);
}

FuzzArguments::FuzzArguments(const char* program, const uint8_t* data, size_t size) : args{program}
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string& a : args)
        pointers.push_back(a.c_str());
}
