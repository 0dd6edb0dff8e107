#include "MusicPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace {

Mix_Music* music = nullptr;
bool audioOpen = false;
bool held = false; // paused by setPaused

bool openAudio(std::string* reason)
{
    if (audioOpen)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *reason = SDL_GetError();
        return false;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        *reason = Mix_GetError();
        return false;
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
