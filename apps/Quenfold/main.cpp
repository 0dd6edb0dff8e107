// Quenfold in a desktop window.
#include "GLView.h"
#include "ResourceFiles.h"
#include "demo/Mirande.h"
#include "graphics/Shader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main()
{
    ResourceFiles::logDirectory();
    GLView view;
    if (!view.open()) {
        fprintf(stderr, "quenfold: %s\n", view.errorText().c_str());
        return 1;
    }
    // Development aid: shaders re-read their files while the program runs.
    const char* reload = getenv("QUENFOLD_SHADER_RELOAD");
    vell::Shader::setReloadAll(reload && strcmp(reload, "1") == 0);

    Mirande app;
    app.init();
    view.run(app);
    return 0;
}
