// The whole demo, headless at one frame a second, beside resources broken in
// batches (every file it reads missing, then broken in each way that fits it,
// once each): every run ends cleanly, meets no GL error and names each broken
// file in one log line.
#include "resources/ResourceScan.h"
#include "support/ResourceSandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>

namespace {

const char* const kDemoArgs = "--demo --times 210 --fps 1 --check-gl";

// A name with each run of digits as '#': the files of one counted format
// ("indicator%02d.png") share it.
std::string pattern(const std::string& name)
{
    std::string out;
    for (const char c : name) {
        if (!isdigit(static_cast<unsigned char>(c)))
            out += c;
        else if (out.empty() || out.back() != '#')
            out += '#';
    }
    return out;
}

// Who asks for a file: each source file naming it, with the name or counted
// format it uses there.
using Askers = std::map<std::string, std::string>;

std::map<std::string, Askers> askers(const std::vector<std::string>& files)
{
    std::map<std::string, Askers> found;
    for (const char* dir : {"/apps", "/vettra"}) {
        for (const std::string& source : sourceFilesBelow(std::string(QUENFOLD_SOURCE_DIR) + dir)) {
            for (const auto& alternatives : referencedResources(slurp(source))) {
                const bool counted = alternatives.size() > 1;
                for (const std::string& file : files) {
                    const std::string name = std::filesystem::path(file).filename().string();
                    if (counted ? pattern(name) == pattern(alternatives[0]) : name == alternatives[0])
                        found[file][source] = counted ? pattern(name) : name;
                }
            }
        }
    }
    return found;
}

// Files share a batch unless one source file asks for two of them by different
// names, so an effect never loses two of its files at once; the files of one
// counted format go together. A file that no source names goes alone.
std::vector<std::vector<std::string>> batches(const std::vector<std::string>& files)
{
    const auto asked = askers(files);
    std::vector<std::vector<std::string>> out, alone;
    std::vector<Askers> taken;
    for (const std::string& file : files) {
        const auto it = asked.find(file);
        if (it == asked.end()) {
            alone.push_back({file});
            continue;
        }
        const auto fits = [&](const Askers& batch) {
            return std::all_of(it->second.begin(), it->second.end(), [&](const auto& asker) {
                const auto other = batch.find(asker.first);
                return other == batch.end() || other->second == asker.second;
            });
        };
        const size_t b = std::find_if(taken.begin(), taken.end(), fits) - taken.begin();
        if (b == out.size()) {
            out.emplace_back();
            taken.emplace_back();
        }
        out[b].push_back(file);
        taken[b].insert(it->second.begin(), it->second.end());
    }
    out.insert(out.end(), alone.begin(), alone.end());
    return out;
}

} // namespace

TEST(BrokenDemoResources, EachFileMissingOrBrokenStillRendersToTheEnd)
{
    ResourceSandbox sandbox("demo");
    RenderRun clean;
    const std::vector<std::string> read = sandbox.filesRead(kDemoArgs, &clean);
    ASSERT_EQ(clean.status, 0) << clean.out;
    ASSERT_NE(clean.out.find("GL errors: 0\n"), std::string::npos) << clean.out;
    ASSERT_GT(read.size(), 20u) << "the demo's shaders, images, model and fonts";

    int tried = 0, runs = 0;
    for (const Fault fault : allFaults()) {
        std::vector<std::string> files;
        for (const std::string& name : read) {
            const std::vector<Fault> kinds = faultsFor(name);
            if (std::find(kinds.begin(), kinds.end(), fault) != kinds.end())
                files.push_back(name);
        }
        for (const std::vector<std::string>& batch : batches(files)) {
            std::string what = faultName(fault);
            for (const std::string& name : batch) {
                sandbox.breakFile(name, fault);
                what += " " + name;
            }
            const RenderRun run = sandbox.render(kDemoArgs);
            sandbox.restore();
            tried += static_cast<int>(batch.size());
            ++runs;
            what += "\n" + run.out;
            EXPECT_EQ(run.status, 0) << what;
            EXPECT_NE(run.out.find("GL errors: 0\n"), std::string::npos) << what;
            for (const std::string& name : batch)
                EXPECT_EQ(linesNaming(run.out, std::filesystem::path(name).filename().string()), 1)
                    << name << " in " << what;
        }
    }
    std::cout << read.size() << " files, " << tried << " faults in " << runs << " runs\n";
}

// The contact sheet's labels need the canvas's font: when one of its files is
// missing or empty the sheet is still written, unlabelled, and the file is named
// once, for what is wrong with it. Without a sheet the font is not read.
TEST(BrokenDemoResources, AnUnusableFontLeavesTheContactSheetUnlabelled)
{
    ResourceSandbox sandbox("sheet");
    const std::filesystem::path sheet = sandbox.resources().parent_path() / "sheet.png";
    for (const Fault fault : {Fault::Missing, Fault::Empty}) {
        for (const char* name : {"FontSupernatural.dat", "FontSupernatural.png"}) {
            sandbox.breakFile(name, fault);
            const RenderRun run = sandbox.run("--demo --times 0.5 --contact-sheet sheet.png");
            sandbox.restore();
            const std::string what = std::string(faultName(fault)) + " " + name + "\n" + run.out;
            EXPECT_EQ(run.status, 0) << what;
            EXPECT_EQ(linesNaming(run.out, name), 1) << what;
            EXPECT_EQ(linesNaming(run.out, "the contact sheet has no labels"), 1) << what;
            if (fault == Fault::Empty) {
                EXPECT_EQ(run.out.find("missing"), std::string::npos) << what;
            }
            EXPECT_TRUE(std::filesystem::remove(sheet)) << what;
        }
    }
    // Without a sheet asked for, nothing is said about its labels.
    sandbox.breakFile("FontSupernatural.dat", Fault::Empty);
    const RenderRun noSheet = sandbox.run("--demo --times 0.5 --fields");
    sandbox.restore();
    EXPECT_EQ(linesNaming(noSheet.out, "the contact sheet"), 0) << noSheet.out;
}
