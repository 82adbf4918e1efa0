/* Preloaded into the program by the fault tests: every request for a GLX rendering context
 * fails, as on a display whose GL driver cannot make one. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <string.h>

GLXContext glXCreateContext(Display* d, XVisualInfo* v, GLXContext share, Bool direct) {
    (void)d, (void)v, (void)share, (void)direct;
    return NULL;
}

GLXContext glXCreateNewContext(Display* d, GLXFBConfig c, int type, GLXContext share, Bool direct) {
    (void)d, (void)c, (void)type, (void)share, (void)direct;
    return NULL;
}

GLXContext glXCreateContextAttribsARB(Display* d, GLXFBConfig c, GLXContext share, Bool direct,
                                      const int* attributes) {
    (void)d, (void)c, (void)share, (void)direct, (void)attributes;
    return NULL;
}

/* Extension entry points are looked up by name: hand out the failing one. */
typedef void (*Function)(void);

static Function lookUp(const GLubyte* name, Function (*next)(const GLubyte*)) {
    if (strcmp((const char*)name, "glXCreateContextAttribsARB") == 0)
        return (Function)glXCreateContextAttribsARB;
    if (strcmp((const char*)name, "glXCreateNewContext") == 0)
        return (Function)glXCreateNewContext;
    if (strcmp((const char*)name, "glXCreateContext") == 0)
        return (Function)glXCreateContext;
    return next ? next(name) : NULL;
}

Function glXGetProcAddressARB(const GLubyte* name) {
    Function (*next)(const GLubyte*) =
        (Function(*)(const GLubyte*))dlsym(RTLD_NEXT, "glXGetProcAddressARB");
    return lookUp(name, next);
}

Function glXGetProcAddress(const GLubyte* name) {
    Function (*next)(const GLubyte*) =
        (Function(*)(const GLubyte*))dlsym(RTLD_NEXT, "glXGetProcAddress");
    return lookUp(name, next);
}
