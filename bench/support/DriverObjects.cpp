#include "DriverObjects.h"

#include <cstring>
#include <initializer_list>

bool isDriverObject(const char* path)
{
    for (const char* part : {"libGLESv2", "libEGL", "libGLdispatch", "libglapi", "libgallium", "_dri.so", "libLLVM"}) {
        if (std::strstr(path, part))
            return true;
    }
    return false;
}
