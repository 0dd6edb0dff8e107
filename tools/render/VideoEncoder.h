#pragma once

#include "ChildProcess.h"
#include "RenderOptions.h"
#include "StagedFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Encodes 480x320 RGBA frames at a fixed rate with a stretch of a music file
// through ffmpeg (H.264 + AAC in MP4). Writes to a temporary name and renames
// on success, so a failed encode leaves nothing behind and spares an older file.
class VideoEncoder {
public:
    using Quality = RenderOptions::Quality;

    VideoEncoder(const std::string& path, Quality q) : file(path), quality(q) {}
    ~VideoEncoder(); // an unfinished encode is abandoned
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Starts ffmpeg; the audio is music from musicStart on, padded with silence.
    // Fails at once when ffmpeg cannot be run.
    bool open(int fps, const std::string& music, double musicStart, double duration, std::string* error);
    // One frame, top row first.
    bool write(const std::vector<uint8_t>& rgba, std::string* error);
    // Waits for ffmpeg and moves the file into place; an interruption abandons it.
    bool finish(std::string* error);

private:
    void abandon();

    StagedFile file;
    Quality quality;
    ChildProcess ffmpeg;
};
