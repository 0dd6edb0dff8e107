#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One frame's GL calls, captured as the program makes them and played back on
// their own: the floor of that frame, the same passes and triangles with none of
// the program's work around them. Client-side vertex and index arrays are copied
// into GL buffers at capture, so playback draws from buffers only. Only the
// program that links GLFrame.cpp is captured (its GL entry points wrap the real ones).
class GLFrame {
public:
    ~GLFrame();
    GLFrame(const GLFrame&) = delete;
    GLFrame& operator=(const GLFrame&) = delete;

    // Records every GL call from now until endCapture.
    static void beginCapture();
    // The recorded frame, or null with the reason in *why when the frame did what
    // playback cannot repeat (created GL objects, uploaded textures, drew from a
    // bound index buffer with client-side vertices).
    static std::unique_ptr<GLFrame> endCapture(std::string* why);

    void play() const;
    size_t callCount() const { return calls.size(); }

private:
    friend struct GLFrameRecorder;
    GLFrame() = default;

    std::vector<std::function<void()>> calls;
    std::vector<unsigned int> buffers; // copies of client arrays, deleted with the frame
};
