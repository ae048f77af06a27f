#include "GLDriverPin.h"

#include <dlfcn.h> // Required for: dlopen, RTLD_NODELETE

void pinGLDriver() {
    static void* const driver =
        dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
    (void)driver;
}
