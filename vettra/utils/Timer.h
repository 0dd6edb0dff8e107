#pragma once

namespace vell {

// The frame clock: advanced once per frame, read by animation and effects.
class Timer {
public:
    static Timer* getInstance();

    void update();

    float getTime() const { return elapsedTime + timeShift; }
    float getFrameTime() const { return currentTime - previousTime; }
    float getFPS() const { return fps; }
    int getTotalFrameCount() const { return totalFrameCount; }
    void setTimeShift(float shift) { timeShift = shift; }
    float getElapsedTime() const { return elapsedTime; }
    // Elapsed time as the clock reads now, between frames.
    float getElapsedTimeNow() const;
    void setTime(float t);
    // Back to the state before the first update (a fresh run, for tools and tests).
    void reset() { *this = Timer(); }

private:
    float startTime = 0;      // platform time of the first update; 0 = not taken
    float currentTime = 0;
    float fpsWindowStart = 0; // 0 = not taken
    float fpsWindowEnd = 0;
    int windowFrameCount = 0;
    int totalFrameCount = 0;
    float fps = 0;
    float previousTime = 0;
    float elapsedTime = 0;
    float timeShift = 0;
};

} // namespace vell
