#include "FileWatcher.h"

#include <sys/stat.h>

#include <utility>

bool FileWatcher::Look::operator==(const Look& o) const
{
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           time.tv_sec == o.time.tv_sec && time.tv_nsec == o.time.tv_nsec;
}

FileWatcher::FileWatcher(std::string file) : path(std::move(file)), reported(look()), last(reported) {}

FileWatcher::Look FileWatcher::look() const
{
    Look l;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return l;
    l.exists = true;
    l.device = st.st_dev;
    l.inode = st.st_ino;
    l.size = st.st_size;
    l.time = st.st_mtim;
    return l;
}

bool FileWatcher::changed()
{
    const auto now = std::chrono::steady_clock::now();
    if (now < nextLook)
        return false;
    nextLook = now + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(kLookSeconds));
    const Look seen = look();
    const bool still = seen == last;
    last = seen;
    if (!still || seen == reported)
        return false;
    reported = seen;
    return true;
}

double FileWatcher::modified() const
{
    return reported.exists ? static_cast<double>(reported.time.tv_sec) + reported.time.tv_nsec * 1e-9 : 0.0;
}
