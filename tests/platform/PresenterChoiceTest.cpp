#include "PresenterChoice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Kind = Presenter::Kind;
using Request = PresenterChoice::Request;

// Stands for a presenter that started, with the renderer its context reports.
class StartedPresenter : public Presenter {
public:
    StartedPresenter(Kind k, const std::string& renderer) : which(k) { rendererName = renderer; }
    Kind kind() const override { return which; }
    std::string way() const override { return ""; }
    const char* shortName() const override { return ""; }
    void drawableSize(int* width, int* height) const override { *width = *height = 0; }
    bool present(int, int, const std::function<void()>&, std::string*) override { return true; }

private:
    Kind which;
};

constexpr const char* kLlvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
constexpr const char* kIntel = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";

struct Case {
    const char* what;
    Request request;
    const char* glRenderer; // the window's GL; null: it cannot start
    bool cpuStarts;
    const char* opened;     // kinds tried in turn: G, C
    const char* chosen;     // "G", "C" or "" for none
    const char* reason;     // start of the reason given
    bool fellBack;
};

} // namespace

TEST(PresenterChoice, ByRendererAndRequestFallingBackWhereOneCannotStart)
{
    const Case cases[] = {
        {"a GPU", Request::Default, kIntel, true, "G", "G", "renderer Mesa Intel", false},
        {"llvmpipe", Request::Default, kLlvmpipe, true, "GC", "C", "the renderer draws on the CPU: llvmpipe", false},
        {"softpipe", Request::Default, "softpipe", true, "GC", "C", "the renderer draws on the CPU: softpipe", false},
        {"swrast in a longer name", Request::Default, "Mesa SWRAST", true, "GC", "C", "the renderer draws", false},
        {"a name with pipe but no CPU", Request::Default, "AMD pipeline X", true, "G", "G", "renderer AMD", false},
        {"no GL on the window", Request::Default, nullptr, true, "GC", "C", "renderer ", true},
        {"software GL, no window surface (native Wayland)", Request::Default, kLlvmpipe, false, "GCG", "G",
         "renderer llvmpipe", true},
        {"gl asked on llvmpipe", Request::Gl, kLlvmpipe, true, "G", "G", "as asked; renderer llvmpipe", false},
        {"cpu asked on a GPU", Request::Cpu, kIntel, true, "C", "C", "as asked; renderer ", false},
        {"cpu asked, no window surface", Request::Cpu, kIntel, false, "CG", "G", "renderer Mesa Intel", true},
        {"gl asked, no GL on the window", Request::Gl, nullptr, true, "GC", "C", "renderer ", true},
        {"neither, asked for gl", Request::Gl, nullptr, false, "GC", "", "", false},
        {"neither, by default", Request::Default, nullptr, false, "GC", "", "", false},
    };
    for (const Case& c : cases) {
        std::string opened;
        PresenterChoice choice(c.request, [&](Kind kind, std::string* why) -> std::unique_ptr<Presenter> {
            opened += kind == Kind::Gl ? "G" : "C";
            if (kind == Kind::Gl && c.glRenderer)
                return std::make_unique<StartedPresenter>(kind, c.glRenderer);
            if (kind == Kind::Cpu && c.cpuStarts)
                return std::make_unique<StartedPresenter>(kind, "llvmpipe (off screen)");
            *why = kind == Kind::Gl ? "no GL context" : "no window surface";
            return nullptr;
        });
        const std::unique_ptr<Presenter> presenter = choice.take();
        EXPECT_EQ(opened, c.opened) << c.what;
        const std::string chosen = !presenter ? "" : presenter->kind() == Kind::Gl ? "G" : "C";
        EXPECT_EQ(chosen, c.chosen) << c.what;
        EXPECT_EQ(choice.reason().rfind(c.reason, 0), 0u) << c.what << ": " << choice.reason();
        EXPECT_EQ(!choice.fallback().empty(), c.fellBack) << c.what << ": " << choice.fallback();
        if (c.fellBack) { // the line names the reason of the one that failed
            EXPECT_NE(choice.fallback().find(chosen == "G" ? "no window surface" : "no GL context"),
                      std::string::npos) << choice.fallback();
        }
        EXPECT_EQ(choice.error().empty(), presenter != nullptr) << c.what;
        if (!presenter) { // both reasons
            EXPECT_NE(choice.error().find("no GL context"), std::string::npos) << choice.error();
            EXPECT_NE(choice.error().find("no window surface"), std::string::npos) << choice.error();
        }
    }
}
