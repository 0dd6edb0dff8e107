#pragma once

#include "Presenter.h"

#include <functional>
#include <memory>
#include <string>

// Which presenter the window starts with. Asked for, the one asked for; by
// default the GL swap, unless the window's GL renderer draws on the CPU (Mesa's
// llvmpipe, softpipe, swrast): then the window surface. One that cannot start
// gives way to the other, with a line saying why.
class PresenterChoice {
public:
    enum class Request { Default, Gl, Cpu };
    // Opens a presenter of a kind; null with the reason in *why.
    using Opener = std::function<std::unique_ptr<Presenter>(Presenter::Kind kind, std::string* why)>;

    // "gl" or "cpu"; false for anything else.
    static bool parse(const std::string& text, Request* request);

    explicit PresenterChoice(Request request, const Opener& open);

    // Null when neither presenter starts: then error() says why.
    std::unique_ptr<Presenter> take() { return std::move(presenter); }
    // Why this one, for the start-up line: "renderer NAME", ...
    const std::string& reason() const { return why; }
    // The line saying a presenter gave way to the other; empty when none did.
    const std::string& fallback() const { return fellBack; }
    const std::string& error() const { return failure; }

private:
    // Opens kind, or the other one where it cannot start.
    void openOrOther(Presenter::Kind kind, const Opener& open);

    std::unique_ptr<Presenter> presenter;
    std::string why, fellBack, failure;
};
