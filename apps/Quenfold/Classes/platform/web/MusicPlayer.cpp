// Music in the page: the page's audio element plays the file beside it.
#include "MusicPlayer.h"

#include "MusicClock.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, quenfoldAudioPlay, (const char* path, double start), {
    const audio = Module.music;
    if (!audio)
        return 0;
    let src = UTF8ToString(path);
    while (src.charAt(0) == "/")
        src = src.substring(1); // relative to the page
    audio.src = src;
    audio.currentTime = start;
    const started = audio.play();
    if (started)
        started.catch(function (e) {
            console.warn("music: " + e.message);
            Module._quenfold_music_playing(); // the picture goes on without it
        });
    return 1;
});

EM_JS(double, quenfoldAudioPosition, (), {
    const audio = Module.music;
    return audio && audio.src && !audio.ended ? audio.currentTime : -1;
});

EM_JS(void, quenfoldAudioPause, (int paused), {
    const audio = Module.music;
    if (!audio || !audio.src)
        return;
    if (paused)
        audio.pause();
    else
        audio.play();
});

EM_JS(int, quenfoldAudioSeek, (double seconds), {
    const audio = Module.music;
    if (!audio || !audio.src)
        return 0;
    const held = audio.paused && !audio.ended;
    audio.currentTime = seconds;
    if (!held)
        audio.play();
    return 1;
});
// clang-format on

bool MusicPlayer::play(const std::string& path, double startSeconds, std::string* reason)
{
    if (quenfoldAudioPlay(path.c_str(), startSeconds)) {
        MusicClock::started(startSeconds);
        return true;
    }
    *reason = "the page has no audio element";
    return false;
}

double MusicPlayer::position()
{
    return quenfoldAudioPosition();
}

void MusicPlayer::setPaused(bool paused)
{
    quenfoldAudioPause(paused ? 1 : 0);
}

bool MusicPlayer::seek(double seconds)
{
    return quenfoldAudioSeek(seconds) != 0;
}
