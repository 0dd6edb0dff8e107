#pragma once

#include "FileWatcher.h"
#include "script/ScriptFile.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Canvas;
class Mirande;

// The script file the window's demo plays: read at start and, when watched,
// again each time it is saved (F5 reads it at once). A file that fails leaves
// the demo the script it plays; the reason is said on stderr and stays on
// screen until a good save.
class ScriptReloader {
public:
    // path empty: the demo plays its own keys.
    void start(const std::string& path, bool watch);
    bool inUse() const { return !path.empty(); }
    // Looks at the file when due; true when a save was read well and waits
    // for applyTo.
    bool poll();
    // Reads the file now; true when it was read well and waits for applyTo.
    bool reload();
    // The demo takes the script read last; a demo just made takes the last
    // good one when there is no new one.
    void applyTo(Mirande& demo, bool fresh);
    // Called after each frame is presented: the first drawn with a script
    // read from a save logs how long after the save it came.
    void framePresented();

    const std::string& fault() const { return error; }
    // The file's name without its folder, printable.
    std::string fileName() const;
    // "script FILE: N fields changed", for the demo that plays it.
    std::string summary(const Mirande& demo) const;
    // The fault, wrapped to the frame's width, on a dark red band from row top.
    void drawFault(Canvas& canvas, float top);

private:
    void fail(const std::string& why);

    std::string path;
    std::unique_ptr<FileWatcher> watcher;
    std::optional<ScriptFile> waiting; // read, not yet given to a demo
    std::optional<ScriptFile> good;    // the last a demo took
    std::string announcement;          // how the log names the next script taken
    std::string error;
    std::vector<std::string> errorLines; // error wrapped, made at its first drawing
    double savedAt = 0;    // the save being read, seconds since the epoch; 0: none
    double measuring = 0;  // the save whose first frame is due
};
