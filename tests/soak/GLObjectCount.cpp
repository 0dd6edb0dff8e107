// Preloaded into a program (LD_PRELOAD), this library counts the GL objects the
// program holds: every name it makes and has not deleted, by kind; and, at most
// once a second as a frame is cleared, the bytes its heap has in use (freed
// memory the C library keeps does not count). The figures sit in a shared
// mapping of the file named by QUENFOLD_GL_COUNT_FILE (eight 32-bit numbers:
// textures, buffers, framebuffers, renderbuffers, programs, shaders, queries,
// heap kB), so another process reads them at any time and the program makes no
// system call for them.
#include <EGL/egl.h>
#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

enum Kind { kTextures, kBuffers, kFramebuffers, kRenderbuffers, kPrograms, kShaders, kQueries, kKinds };
constexpr int kHeapSlot = kKinds;

struct Counts {
    std::mutex lock;
    std::unordered_set<GLuint> live[kKinds];
    volatile int32_t* shared = nullptr;

    Counts()
    {
        const char* path = std::getenv("QUENFOLD_GL_COUNT_FILE");
        if (!path)
            return;
        const int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const size_t bytes = sizeof(int32_t) * (kHeapSlot + 1);
        if (fd < 0 || ftruncate(fd, bytes) != 0) {
            std::fprintf(stderr, "GLObjectCount: cannot make %s\n", path);
            std::abort();
        }
        void* map = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        close(fd);
        if (map == MAP_FAILED) {
            std::fprintf(stderr, "GLObjectCount: cannot map %s\n", path);
            std::abort();
        }
        shared = static_cast<volatile int32_t*>(map);
    }

    void made(Kind kind, GLsizei n, const GLuint* names)
    {
        std::lock_guard<std::mutex> hold(lock);
        for (GLsizei i = 0; i < n; ++i)
            if (names[i])
                live[kind].insert(names[i]);
        publish(kind);
    }

    void deleted(Kind kind, GLsizei n, const GLuint* names)
    {
        std::lock_guard<std::mutex> hold(lock);
        for (GLsizei i = 0; i < n; ++i)
            live[kind].erase(names[i]);
        publish(kind);
    }

    void publish(Kind kind)
    {
        if (shared)
            shared[kind] = static_cast<int32_t>(live[kind].size());
    }

    void publishHeap()
    {
        const auto now = std::chrono::steady_clock::now();
        if (!shared || now < nextHeap)
            return;
        nextHeap = now + std::chrono::seconds(1);
        const struct mallinfo2 m = mallinfo2();
        shared[kHeapSlot] = static_cast<int32_t>((m.uordblks + m.hblkhd) / 1024);
    }

    std::chrono::steady_clock::time_point nextHeap;
};

Counts& counts()
{
    static Counts* c = new Counts; // lives as long as the driver may be called
    return *c;
}

template <typename Fn> Fn next(const char* name)
{
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        std::fprintf(stderr, "GLObjectCount: no function %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Fn>(symbol);
}

#define REAL(name) next<decltype(&name)>(#name)

PFNGLGENQUERIESEXTPROC realGenQueries = nullptr;
PFNGLDELETEQUERIESEXTPROC realDeleteQueries = nullptr;

void GL_APIENTRY genQueries(GLsizei n, GLuint* ids)
{
    realGenQueries(n, ids);
    counts().made(kQueries, n, ids);
}

void GL_APIENTRY deleteQueries(GLsizei n, const GLuint* ids)
{
    counts().deleted(kQueries, n, ids);
    realDeleteQueries(n, ids);
}

} // namespace

#define GEN_AND_DELETE(kind, gen, del)                                                                                 \
    extern "C" void GL_APIENTRY gen(GLsizei n, GLuint* names)                                                          \
    {                                                                                                                  \
        static const auto real = REAL(gen);                                                                            \
        real(n, names);                                                                                                \
        counts().made(kind, n, names);                                                                                 \
    }                                                                                                                  \
    extern "C" void GL_APIENTRY del(GLsizei n, const GLuint* names)                                                    \
    {                                                                                                                  \
        static const auto real = REAL(del);                                                                            \
        counts().deleted(kind, n, names);                                                                              \
        real(n, names);                                                                                                \
    }

GEN_AND_DELETE(kTextures, glGenTextures, glDeleteTextures)
GEN_AND_DELETE(kBuffers, glGenBuffers, glDeleteBuffers)
GEN_AND_DELETE(kFramebuffers, glGenFramebuffers, glDeleteFramebuffers)
GEN_AND_DELETE(kRenderbuffers, glGenRenderbuffers, glDeleteRenderbuffers)

#define CREATE_AND_DELETE(kind, create, del, params, args)                                                             \
    extern "C" GLuint GL_APIENTRY create params                                                                        \
    {                                                                                                                  \
        static const auto real = REAL(create);                                                                         \
        const GLuint name = real args;                                                                                 \
        counts().made(kind, 1, &name);                                                                                 \
        return name;                                                                                                   \
    }                                                                                                                  \
    extern "C" void GL_APIENTRY del(GLuint name)                                                                       \
    {                                                                                                                  \
        static const auto real = REAL(del);                                                                            \
        counts().deleted(kind, 1, &name);                                                                              \
        real(name);                                                                                                    \
    }

CREATE_AND_DELETE(kPrograms, glCreateProgram, glDeleteProgram, (), ())
CREATE_AND_DELETE(kShaders, glCreateShader, glDeleteShader, (GLenum type), (type))

extern "C" void GL_APIENTRY glClear(GLbitfield mask)
{
    static const auto real = REAL(glClear);
    counts().publishHeap();
    real(mask);
}

// Extension entry points are looked up: those that make or delete queries come back counted.
extern "C" __eglMustCastToProperFunctionPointerType EGLAPIENTRY eglGetProcAddress(const char* name)
{
    static const auto real = REAL(eglGetProcAddress);
    const auto found = real(name);
    if (found && std::strcmp(name, "glGenQueriesEXT") == 0) {
        realGenQueries = reinterpret_cast<PFNGLGENQUERIESEXTPROC>(found);
        return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(genQueries);
    }
    if (found && std::strcmp(name, "glDeleteQueriesEXT") == 0) {
        realDeleteQueries = reinterpret_cast<PFNGLDELETEQUERIESEXTPROC>(found);
        return reinterpret_cast<__eglMustCastToProperFunctionPointerType>(deleteQueries);
    }
    return found;
}
