// Sanitizer builds only: keeps Mesa's driver mapped after eglTerminate, so that
// leak reports name it (see lsan.supp) rather than an unloaded module.
#include <dlfcn.h>

namespace {

struct DriverModule {
    DriverModule() { dlopen(QUENFOLD_GL_DRIVER, RTLD_LAZY | RTLD_NODELETE); }
} driverModule;

} // namespace
