#include "PresenterChoice.h"

#include "ContentScale.h"

namespace {

const char* wayOf(Presenter::Kind kind)
{
    return kind == Presenter::Kind::Gl ? "by GL swap" : "through the window surface";
}

Presenter::Kind other(Presenter::Kind kind)
{
    return kind == Presenter::Kind::Gl ? Presenter::Kind::Cpu : Presenter::Kind::Gl;
}

} // namespace

bool PresenterChoice::parse(const std::string& text, Request* request)
{
    if (text != "gl" && text != "cpu")
        return false;
    *request = text == "gl" ? Request::Gl : Request::Cpu;
    return true;
}

PresenterChoice::PresenterChoice(Request request, const Opener& open)
{
    if (request != Request::Default) {
        openOrOther(request == Request::Gl ? Presenter::Kind::Gl : Presenter::Kind::Cpu, open);
        if (presenter && fellBack.empty())
            why = "as asked; renderer " + presenter->renderer();
        return;
    }
    openOrOther(Presenter::Kind::Gl, open);
    if (!presenter || presenter->kind() != Presenter::Kind::Gl)
        return;
    if (!ContentScale::isSoftware(presenter->renderer().c_str())) {
        why = "renderer " + presenter->renderer();
        return;
    }
    // The window's renderer draws on the CPU: the frame is better read back
    // than drawn a second time into the window.
    const std::string software = presenter->renderer();
    presenter.reset(); // one GL context at a time
    openOrOther(Presenter::Kind::Cpu, open);
    if (presenter && fellBack.empty())
        why = "the renderer draws on the CPU: " + software;
}

void PresenterChoice::openOrOther(Presenter::Kind kind, const Opener& open)
{
    std::string first, second;
    presenter = open(kind, &first);
    if (presenter)
        return;
    presenter = open(other(kind), &second);
    if (!presenter) {
        failure = std::string("cannot present ") + wayOf(kind) + " (" + first + ") nor " + wayOf(other(kind)) +
                  " (" + second + ")";
        return;
    }
    fellBack = std::string("cannot present ") + wayOf(kind) + " (" + first + "): presenting " +
               wayOf(other(kind)) + " instead";
    why = "renderer " + presenter->renderer();
}
