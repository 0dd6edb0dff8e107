#include "StagedFile.h"

#include "ImageFile.h"
#include "OutputTarget.h"
#include "utils/Utils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

std::string StagedFile::failure(const std::string& reason) const
{
    return "cannot write " + vell::printableText(target) + ": " + reason;
}

bool StagedFile::create(std::string* error)
{
    discard();
    resolved = OutputTarget::resolve(target);
    const std::filesystem::path path(resolved);
    std::string name = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        *error = failure(strerror(errno));
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    temp = name;
    return true;
}

bool StagedFile::writePng(const std::vector<uint8_t>& rgba, int width, int height, std::string* error)
{
    if (!create(error))
        return false;
    std::string reason;
    if (ImageFile::writePng(temp, rgba, width, height, &reason))
        return true;
    *error = failure(reason);
    discard();
    return false;
}

bool StagedFile::writeText(const std::string& text, std::string* error)
{
    if (!create(error))
        return false;
    FILE* file = fopen(temp.c_str(), "wb");
    const bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = file && fclose(file) == 0;
    if (written && closed)
        return true;
    *error = failure(strerror(file && written ? errno : writeError));
    discard();
    return false;
}

bool StagedFile::commit(std::string* error)
{
    // Checked before rendering too: this covers what appeared meanwhile.
    const bool replaceable = OutputTarget::isReplaceable(resolved);
    if (!replaceable || rename(temp.c_str(), resolved.c_str()) != 0) {
        *error = failure(replaceable ? strerror(errno) : "it is not a regular file");
        discard();
        return false;
    }
    temp.clear();
    return true;
}

void StagedFile::discard()
{
    if (!temp.empty())
        unlink(temp.c_str());
    temp.clear();
}
