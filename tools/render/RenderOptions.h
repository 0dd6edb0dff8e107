#pragma once

#include <string>
#include <vector>

// Command line of quenfold-render.
class RenderOptions {
public:
    enum class Mode { List, Demo, Effect, Gallery, Help, Version };
    // The video's encoding: draft is quick to make, good is the default, best the finest.
    enum class Quality { Draft, Good, Best };

    static constexpr double kMaxTime = 3600.0; // seconds
    static constexpr int kMaxFps = 1000;
    static constexpr int kMaxScale = 4; // the frame's pixels per point, at most
    static constexpr double kDemoLength = 215.0; // seconds, the music's length

    // False with a one-line message in *error when the arguments are unusable.
    bool parse(int argc, const char* const* argv, std::string* error);
    static const char* usage();
    // The H.264 encoder's preset and constant rate factor for a quality.
    static const char* x264Preset(Quality q);
    static int x264Crf(Quality q);

    // Frame index (0 = first frame) drawn at demo time t.
    long long frameAt(double t) const;
    // "<prefix>-<t with two decimals>.png"
    std::string fileName(double t) const;
    // The frame file for t in the --out directory.
    std::string framePath(double t) const { return outDir + "/" + fileName(t); }

    Mode mode = Mode::List;
    std::string effectName;
    std::vector<double> times; // sorted, no duplicates
    std::string outDir;
    int fps = 60;
    int scale = 1;          // frames, video and sheet at 480 scale x 320 scale pixels
    bool checkGl = false; // ends with the count of GL errors the draw calls met; any fails the run

    // Demo outputs that follow the run through time.
    bool fields = false;          // one JSON line of field values per requested time
    std::string videoPath;        // MP4 with the music, from videoFrom to videoTo
    Quality quality = Quality::Good;
    double videoFrom = 0;
    double videoTo = kDemoLength;
    std::string contactSheetPath; // the cue frames (or those of times), or the gallery, in one PNG
    std::string timelinePath;     // the script's tracks over the music in one PNG
    std::string exportScriptPath; // the script's keys as a script file
    std::string scriptPath;       // a script file whose keys replace the built-in ones of its fields
    bool followsDemo() const
    {
        return mode == Mode::Demo && (fields || !videoPath.empty() || !contactSheetPath.empty() ||
                                      !timelinePath.empty() || !exportScriptPath.empty());
    }
    // Outputs that need frames rendered (the timeline and the script file need none).
    bool rendersFrames() const { return fields || !videoPath.empty() || !contactSheetPath.empty(); }

private:
    bool checkGallery(bool sawOut, bool sawRange, std::string* error) const;
    bool checkFileNames(std::string* error) const;
};
