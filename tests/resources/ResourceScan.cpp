#include "ResourceScan.h"

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

namespace {

const char* const extensions = "png|jpg|obj|dat|mp3|glsl";

std::vector<std::string> expandCounter(const std::string& name)
{
    const size_t pct = name.find('%');
    if (pct == std::string::npos)
        return {name};
    std::vector<std::string> out;
    for (int i = 0; i <= 1; ++i) {
        char buf[256];
        std::snprintf(buf, sizeof buf, name.c_str(), i);
        out.emplace_back(buf);
    }
    return out;
}

} // namespace

std::vector<std::vector<std::string>> referencedResources(const std::string& source)
{
    std::vector<std::vector<std::string>> found;
    const std::string ext = extensions;

    // Cube maps: a base name and an extension, read as six face files.
    static const std::regex cube(R"re(TextureCube::fromFile\(\s*"([^"]*)"\s*,\s*"(\w+)"\s*\))re");
    std::set<std::string> cubeBases; // a base may itself end like a file name
    for (std::sregex_iterator it(source.begin(), source.end(), cube), end; it != end; ++it) {
        cubeBases.insert((*it)[1].str());
        for (const char* face : {"posx", "negx", "posy", "negy", "posz", "negz"})
            found.push_back({(*it)[1].str() + "_" + face + "." + (*it)[2].str()});
    }

    // A base name joined to its extension in code: "Font" + ".png".
    const std::regex joined("\"([^\"\\\\]+)\"\\s*\\)?\\s*\\+\\s*\"(\\.(?:" + ext + "))\"");
    for (std::sregex_iterator it(source.begin(), source.end(), joined), end; it != end; ++it)
        found.push_back(expandCounter((*it)[1].str() + (*it)[2].str()));

    // Plain names; formats with %s are assembled elsewhere and left out.
    const std::regex plain("\"([^\"\\\\]*\\.(?:" + ext + "))\"");
    for (std::sregex_iterator it(source.begin(), source.end(), plain), end; it != end; ++it) {
        const std::string name = (*it)[1].str();
        if (name.empty() || name[0] == '.' || name.find("%s") != std::string::npos || cubeBases.count(name))
            continue;
        found.push_back(expandCounter(name));
    }
    return found;
}

std::vector<std::string> sourceFilesBelow(const std::string& root)
{
    std::vector<std::string> files;
    if (!std::filesystem::is_directory(root))
        return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
            files.push_back(entry.path().string());
    }
    return files;
}
