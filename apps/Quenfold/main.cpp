// Quenfold in a desktop window.
#include "GLView.h"
#include "framework/GLApp.h"

#include <cstdio>

int main()
{
    GLView view;
    if (!view.open()) {
        fprintf(stderr, "quenfold: %s\n", view.errorText().c_str());
        return 1;
    }
    GLApp app;
    app.init();
    view.run(app);
    return 0;
}
