#include "GLFrame.h"

#include <GLES2/gl2.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// This file defines the GL entry points the program calls; each records the call
// while a capture runs and then calls the library's own function.

namespace {

template <typename Fn> Fn next(const char* name)
{
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        std::fprintf(stderr, "GLFrame: no GL function %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Fn>(symbol);
}

#define REAL(name) next<decltype(&name)>(#name)

// The vertex array state the program set, kept at all times so that a draw can
// be turned into one that reads only buffers.
struct Attrib {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLboolean normalized = GL_FALSE;
    GLsizei stride = 0;
    const void* pointer = nullptr;
    GLuint buffer = 0;
};

struct ArrayState {
    GLuint arrayBuffer = 0;
    GLuint elementBuffer = 0;
    Attrib attribs[16];
};

ArrayState arrays;
GLFrame* capture = nullptr;
std::string refusal;

GLsizei typeBytes(GLenum type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
        return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
        return 2;
    default:
        return 4;
    }
}

void refuse(const char* what)
{
    if (capture && refusal.empty())
        refusal = std::string(what) + " during the frame";
}

// Where a draw's attribute i reads from at playback.
struct Source {
    GLuint index;
    GLint size;
    GLenum type;
    GLboolean normalized;
    GLsizei stride;
    GLuint buffer;
    intptr_t offset;
};

} // namespace

// Records into the frame under capture; GLFrame's private parts are reached through it.
struct GLFrameRecorder {
    static void add(std::function<void()> call) { capture->calls.push_back(std::move(call)); }

    static GLuint copyToBuffer(GLenum target, const void* data, size_t bytes)
    {
        static const auto gen = REAL(glGenBuffers);
        static const auto bind = REAL(glBindBuffer);
        static const auto upload = REAL(glBufferData);
        GLuint buffer = 0;
        gen(1, &buffer);
        bind(target, buffer);
        upload(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
        capture->buffers.push_back(buffer);
        return buffer;
    }

    // The draw's attributes, client arrays copied for vertices 0 .. vertexCount - 1.
    static std::vector<Source> sources(GLsizei vertexCount)
    {
        std::vector<Source> list;
        for (GLuint i = 0; i < 16; ++i) {
            const Attrib& a = arrays.attribs[i];
            if (!a.enabled)
                continue;
            Source s{i, a.size, a.type, a.normalized, a.stride, a.buffer, reinterpret_cast<intptr_t>(a.pointer)};
            if (a.buffer == 0 && vertexCount > 0) {
                const GLsizei element = a.size * typeBytes(a.type);
                const size_t bytes = static_cast<size_t>(vertexCount - 1) * (a.stride ? a.stride : element) + element;
                s.buffer = copyToBuffer(GL_ARRAY_BUFFER, a.pointer, bytes);
                s.offset = 0;
            }
            list.push_back(s);
        }
        return list;
    }

    static void addDraw(std::vector<Source> list, std::function<void()> draw)
    {
        static const auto bind = REAL(glBindBuffer);
        static const auto pointer = REAL(glVertexAttribPointer);
        const GLuint arrayBuffer = arrays.arrayBuffer, elementBuffer = arrays.elementBuffer;
        bind(GL_ARRAY_BUFFER, arrayBuffer); // undo copyToBuffer's binding
        add([list = std::move(list), draw = std::move(draw), arrayBuffer, elementBuffer] {
            for (const Source& s : list) {
                bind(GL_ARRAY_BUFFER, s.buffer);
                pointer(s.index, s.size, s.type, s.normalized, s.stride, reinterpret_cast<const void*>(s.offset));
            }
            draw();
            bind(GL_ARRAY_BUFFER, arrayBuffer);
            bind(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
        });
    }
};

// Plain calls: replayed with the same arguments.
#define RECORDED(name, params, args)                                                                    \
    extern "C" void GL_APIENTRY name params                                                            \
    {                                                                                                  \
        static const auto real = REAL(name);                                                           \
        if (capture)                                                                                   \
            GLFrameRecorder::add([=] { real args; });                                                  \
        real args;                                                                                     \
    }

// Calls that make or unmake GL objects: a frame that makes them cannot be replayed.
#define REFUSED(name, params, args)                                                                     \
    extern "C" void GL_APIENTRY name params                                                            \
    {                                                                                                  \
        static const auto real = REAL(name);                                                           \
        refuse(#name);                                                                                 \
        real args;                                                                                     \
    }

RECORDED(glActiveTexture, (GLenum texture), (texture))
RECORDED(glBindFramebuffer, (GLenum target, GLuint framebuffer), (target, framebuffer))
RECORDED(glBindRenderbuffer, (GLenum target, GLuint renderbuffer), (target, renderbuffer))
RECORDED(glBindTexture, (GLenum target, GLuint texture), (target, texture))
RECORDED(glBlendFunc, (GLenum s, GLenum d), (s, d))
RECORDED(glBlendFuncSeparate, (GLenum s, GLenum d, GLenum sa, GLenum da), (s, d, sa, da))
RECORDED(glClear, (GLbitfield mask), (mask))
RECORDED(glClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))
RECORDED(glClearStencil, (GLint s), (s))
RECORDED(glColorMask, (GLboolean r, GLboolean g, GLboolean b, GLboolean a), (r, g, b, a))
RECORDED(glCopyTexSubImage2D, (GLenum t, GLint l, GLint xo, GLint yo, GLint x, GLint y, GLsizei w, GLsizei h),
         (t, l, xo, yo, x, y, w, h))
RECORDED(glCullFace, (GLenum mode), (mode))
RECORDED(glDepthFunc, (GLenum func), (func))
RECORDED(glDepthMask, (GLboolean flag), (flag))
RECORDED(glDisable, (GLenum cap), (cap))
RECORDED(glEnable, (GLenum cap), (cap))
RECORDED(glFramebufferRenderbuffer, (GLenum t, GLenum a, GLenum rt, GLuint r), (t, a, rt, r))
RECORDED(glFramebufferTexture2D, (GLenum t, GLenum a, GLenum tt, GLuint tex, GLint l), (t, a, tt, tex, l))
RECORDED(glFrontFace, (GLenum mode), (mode))
RECORDED(glGenerateMipmap, (GLenum target), (target))
RECORDED(glLineWidth, (GLfloat width), (width))
RECORDED(glPixelStorei, (GLenum pname, GLint param), (pname, param))
RECORDED(glScissor, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))
RECORDED(glStencilFunc, (GLenum func, GLint ref, GLuint mask), (func, ref, mask))
RECORDED(glStencilOp, (GLenum fail, GLenum zfail, GLenum zpass), (fail, zfail, zpass))
RECORDED(glTexParameterf, (GLenum t, GLenum p, GLfloat v), (t, p, v))
RECORDED(glTexParameteri, (GLenum t, GLenum p, GLint v), (t, p, v))
RECORDED(glUniform1f, (GLint location, GLfloat v), (location, v))
RECORDED(glUniform1i, (GLint location, GLint v), (location, v))
RECORDED(glUseProgram, (GLuint program), (program))
RECORDED(glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))

REFUSED(glAttachShader, (GLuint p, GLuint s), (p, s))
REFUSED(glBindAttribLocation, (GLuint p, GLuint i, const GLchar* n), (p, i, n))
REFUSED(glCompileShader, (GLuint s), (s))
REFUSED(glDeleteBuffers, (GLsizei n, const GLuint* b), (n, b))
REFUSED(glDeleteFramebuffers, (GLsizei n, const GLuint* f), (n, f))
REFUSED(glDeleteProgram, (GLuint p), (p))
REFUSED(glDeleteRenderbuffers, (GLsizei n, const GLuint* r), (n, r))
REFUSED(glDeleteShader, (GLuint s), (s))
REFUSED(glDeleteTextures, (GLsizei n, const GLuint* t), (n, t))
REFUSED(glGenBuffers, (GLsizei n, GLuint* b), (n, b))
REFUSED(glGenFramebuffers, (GLsizei n, GLuint* f), (n, f))
REFUSED(glGenRenderbuffers, (GLsizei n, GLuint* r), (n, r))
REFUSED(glGenTextures, (GLsizei n, GLuint* t), (n, t))
REFUSED(glLinkProgram, (GLuint p), (p))
REFUSED(glRenderbufferStorage, (GLenum t, GLenum f, GLsizei w, GLsizei h), (t, f, w, h))
REFUSED(glShaderSource, (GLuint s, GLsizei n, const GLchar* const* text, const GLint* l), (s, n, text, l))
REFUSED(glTexImage2D,
        (GLenum t, GLint l, GLint f, GLsizei w, GLsizei h, GLint b, GLenum pf, GLenum ty, const void* d),
        (t, l, f, w, h, b, pf, ty, d))

extern "C" GLuint GL_APIENTRY glCreateProgram()
{
    static const auto real = REAL(glCreateProgram);
    refuse("glCreateProgram");
    return real();
}

extern "C" GLuint GL_APIENTRY glCreateShader(GLenum type)
{
    static const auto real = REAL(glCreateShader);
    refuse("glCreateShader");
    return real(type);
}

// Uniform arrays are copied; call(location, count, values) makes the GL call.
template <typename Call> void recordUniform(Call call, GLint location, GLsizei count, const GLfloat* value, int floats)
{
    if (capture)
        GLFrameRecorder::add([call, location, count, copy = std::vector<GLfloat>(value, value + count * floats)] {
            call(location, count, copy.data());
        });
    call(location, count, value);
}

extern "C" void GL_APIENTRY glUniform3fv(GLint location, GLsizei count, const GLfloat* value)
{
    static const auto real = REAL(glUniform3fv);
    recordUniform(real, location, count, value, 3);
}

extern "C" void GL_APIENTRY glUniform4fv(GLint location, GLsizei count, const GLfloat* value)
{
    static const auto real = REAL(glUniform4fv);
    recordUniform(real, location, count, value, 4);
}

extern "C" void GL_APIENTRY glUniformMatrix3fv(GLint location, GLsizei count, GLboolean transpose,
                                               const GLfloat* value)
{
    static const auto real = REAL(glUniformMatrix3fv);
    recordUniform([transpose](GLint l, GLsizei n, const GLfloat* v) { real(l, n, transpose, v); }, location, count,
                  value, 9);
}

extern "C" void GL_APIENTRY glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose,
                                               const GLfloat* value)
{
    static const auto real = REAL(glUniformMatrix4fv);
    recordUniform([transpose](GLint l, GLsizei n, const GLfloat* v) { real(l, n, transpose, v); }, location, count,
                  value, 16);
}

extern "C" void GL_APIENTRY glBindBuffer(GLenum target, GLuint buffer)
{
    static const auto real = REAL(glBindBuffer);
    (target == GL_ARRAY_BUFFER ? arrays.arrayBuffer : arrays.elementBuffer) = buffer;
    if (capture)
        GLFrameRecorder::add([=] { real(target, buffer); });
    real(target, buffer);
}

extern "C" void GL_APIENTRY glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage)
{
    static const auto real = REAL(glBufferData);
    if (capture) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        GLFrameRecorder::add([=, copy = bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>()] {
            real(target, size, copy.empty() ? nullptr : copy.data(), usage);
        });
    }
    real(target, size, data, usage);
}

extern "C" void GL_APIENTRY glBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data)
{
    static const auto real = REAL(glBufferSubData);
    if (capture) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        GLFrameRecorder::add(
            [=, copy = std::vector<uint8_t>(bytes, bytes + size)] { real(target, offset, size, copy.data()); });
    }
    real(target, offset, size, data);
}

// Kept and recorded: a draw's arrays are those enabled when it is made.
static void setArrayEnabled(void (*real)(GLuint), GLuint index, bool enabled)
{
    if (index < 16)
        arrays.attribs[index].enabled = enabled;
    if (capture)
        GLFrameRecorder::add([=] { real(index); });
    real(index);
}

extern "C" void GL_APIENTRY glEnableVertexAttribArray(GLuint index)
{
    static const auto real = REAL(glEnableVertexAttribArray);
    setArrayEnabled(real, index, true);
}

extern "C" void GL_APIENTRY glDisableVertexAttribArray(GLuint index)
{
    static const auto real = REAL(glDisableVertexAttribArray);
    setArrayEnabled(real, index, false);
}

// Kept, not recorded: every recorded draw sets the pointers it reads.
extern "C" void GL_APIENTRY glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                                  GLsizei stride, const void* pointer)
{
    static const auto real = REAL(glVertexAttribPointer);
    if (index < 16) {
        Attrib& a = arrays.attribs[index];
        a.size = size;
        a.type = type;
        a.normalized = normalized;
        a.stride = stride;
        a.pointer = pointer;
        a.buffer = arrays.arrayBuffer;
    }
    real(index, size, type, normalized, stride, pointer);
}

extern "C" void GL_APIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    static const auto real = REAL(glDrawArrays);
    if (capture && count > 0)
        GLFrameRecorder::addDraw(GLFrameRecorder::sources(first + count), [=] { real(mode, first, count); });
    real(mode, first, count);
}

extern "C" void GL_APIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    static const auto real = REAL(glDrawElements);
    static const auto bind = REAL(glBindBuffer);
    if (capture && count > 0) {
        if (arrays.elementBuffer != 0) {
            const bool clientArrays = std::any_of(std::begin(arrays.attribs), std::end(arrays.attribs),
                                                  [](const Attrib& a) { return a.enabled && a.buffer == 0; });
            if (clientArrays)
                refuse("client vertex arrays with an index buffer");
            const GLuint bound = arrays.elementBuffer;
            GLFrameRecorder::addDraw(GLFrameRecorder::sources(0), [=] {
                bind(GL_ELEMENT_ARRAY_BUFFER, bound);
                real(mode, count, type, indices);
            });
        } else {
            GLsizei vertices = 0;
            for (GLsizei i = 0; i < count; ++i) {
                const GLsizei index = type == GL_UNSIGNED_BYTE ? static_cast<const uint8_t*>(indices)[i]
                                                               : static_cast<const uint16_t*>(indices)[i];
                vertices = std::max(vertices, index + 1);
            }
            const GLuint elements =
                GLFrameRecorder::copyToBuffer(GL_ELEMENT_ARRAY_BUFFER, indices, static_cast<size_t>(count) * typeBytes(type));
            bind(GL_ELEMENT_ARRAY_BUFFER, 0);
            GLFrameRecorder::addDraw(GLFrameRecorder::sources(vertices), [=] {
                bind(GL_ELEMENT_ARRAY_BUFFER, elements);
                real(mode, count, type, nullptr);
            });
        }
    }
    real(mode, count, type, indices);
}

void GLFrame::beginCapture()
{
    delete capture;
    capture = new GLFrame;
    refusal.clear();
}

std::unique_ptr<GLFrame> GLFrame::endCapture(std::string* why)
{
    std::unique_ptr<GLFrame> frame(capture);
    capture = nullptr;
    if (!refusal.empty()) {
        if (why)
            *why = refusal;
        return nullptr;
    }
    return frame;
}

GLFrame::~GLFrame()
{
    static const auto remove = REAL(glDeleteBuffers);
    if (!buffers.empty())
        remove(static_cast<GLsizei>(buffers.size()), buffers.data());
}

void GLFrame::play() const
{
    static const auto bind = REAL(glBindBuffer);
    static const auto pointer = REAL(glVertexAttribPointer);
    for (const auto& call : calls)
        call();
    // Back to the arrays the program set, which it may draw from without setting them again.
    for (GLuint i = 0; i < 16; ++i) {
        const Attrib& a = arrays.attribs[i];
        if (a.enabled) {
            bind(GL_ARRAY_BUFFER, a.buffer);
            pointer(i, a.size, a.type, a.normalized, a.stride, a.pointer);
        }
    }
    bind(GL_ARRAY_BUFFER, arrays.arrayBuffer);
    bind(GL_ELEMENT_ARRAY_BUFFER, arrays.elementBuffer);
}
