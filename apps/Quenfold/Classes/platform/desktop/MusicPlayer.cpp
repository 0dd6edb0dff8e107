#include "MusicPlayer.h"

#include "utils/Utils.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

Mix_Music* music = nullptr;
bool audioOpen = false;
bool held = false; // paused by setPaused

// Silences standard error while it lives: probing a missing sound device makes
// the audio library print a page of complaints; SDL returns the one reason.
class QuietStandardError {
public:
    QuietStandardError() : saved(dup(STDERR_FILENO))
    {
        const int null = open("/dev/null", O_WRONLY);
        if (saved >= 0 && null >= 0)
            dup2(null, STDERR_FILENO);
        if (null >= 0)
            close(null);
    }
    ~QuietStandardError()
    {
        if (saved < 0)
            return;
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved;
};

bool openDevice(std::string* reason)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *reason = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        *reason = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// Without a sound device the music plays silently on SDL's dummy driver, which
// consumes it in real time, so its position still paces the picture.
bool openAudio(std::string* reason)
{
    if (audioOpen)
        return true;
    Mix_Init(MIX_INIT_MP3);
    bool opened;
    {
        QuietStandardError quiet;
        opened = openDevice(reason);
    }
    if (!opened) {
        const std::string missing = *reason;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!openDevice(reason))
            return false;
        vell::Log::msg("No sound device (%s): the music plays silently", missing.c_str());
    }
    audioOpen = true;
    return true;
}

void stopMusic()
{
    if (!music)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    music = nullptr;
}

} // namespace

bool MusicPlayer::play(const std::string& path, double startSeconds, std::string* reason)
{
    stopMusic();
    held = false;
    if (!openAudio(reason))
        return false;
    music = Mix_LoadMUS(path.c_str());
    if (!music) {
        *reason = Mix_GetError();
        return false;
    }
    // The position can only be set once the music plays.
    if (Mix_PlayMusic(music, 1) != 0 || (startSeconds != 0 && Mix_SetMusicPosition(startSeconds) != 0)) {
        *reason = Mix_GetError();
        return false;
    }
    return true;
}

double MusicPlayer::position()
{
    return music && Mix_PlayingMusic() ? Mix_GetMusicPosition(music) : -1.0;
}

void MusicPlayer::setPaused(bool paused)
{
    held = paused;
    if (!music)
        return;
    if (paused)
        Mix_PauseMusic();
    else
        Mix_ResumeMusic();
}

bool MusicPlayer::seek(double seconds)
{
    if (!music)
        return false;
    if (!Mix_PlayingMusic() && Mix_PlayMusic(music, 1) != 0) // it played to its end
        return false;
    const bool moved = Mix_SetMusicPosition(seconds) == 0;
    if (held)
        Mix_PauseMusic();
    return moved;
}

void MusicPlayer::close()
{
    stopMusic();
    if (!audioOpen)
        return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen = false;
}
