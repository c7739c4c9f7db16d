#pragma once

#include <sys/types.h> // ssize_t

#include <string>

#include "math/CCGeometry.h"
#include "math/CCMath.h"
#include "platform/CCPlatformMacros.h"

// The GL scalar types the framework's API is spelled in; no GL context exists behind them.
typedef unsigned int GLenum;
typedef unsigned char GLubyte;
typedef int GLint;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef short GLshort;
typedef int GLsizei;

#ifndef GL_ZERO
#define GL_ZERO 0
#endif
#ifndef GL_ONE
#define GL_ONE 1
#endif
#ifndef GL_SRC_COLOR
#define GL_SRC_COLOR 0x0300
#endif
#ifndef GL_ONE_MINUS_SRC_COLOR
#define GL_ONE_MINUS_SRC_COLOR 0x0301
#endif
#ifndef GL_SRC_ALPHA
#define GL_SRC_ALPHA 0x0302
#endif
#ifndef GL_ONE_MINUS_SRC_ALPHA
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#endif
#ifndef GL_DST_ALPHA
#define GL_DST_ALPHA 0x0304
#endif
#ifndef GL_ONE_MINUS_DST_ALPHA
#define GL_ONE_MINUS_DST_ALPHA 0x0305
#endif
#ifndef GL_DST_COLOR
#define GL_DST_COLOR 0x0306
#endif
#ifndef GL_ONE_MINUS_DST_COLOR
#define GL_ONE_MINUS_DST_COLOR 0x0307
#endif

NS_CC_BEGIN

struct Color4B;
struct Color4F;

struct Color3B {
    constexpr Color3B() = default;
    constexpr Color3B(GLubyte _r, GLubyte _g, GLubyte _b) : r(_r), g(_g), b(_b) {}
    explicit Color3B(const Color4B& color);
    explicit Color3B(const Color4F& color);

    bool operator==(const Color3B& right) const { return r == right.r && g == right.g && b == right.b; }
    bool operator!=(const Color3B& right) const { return !(*this == right); }
    bool equals(const Color3B& other) const { return *this == other; }

    GLubyte r = 0;
    GLubyte g = 0;
    GLubyte b = 0;

    static const Color3B WHITE;
    static const Color3B YELLOW;
    static const Color3B BLUE;
    static const Color3B GREEN;
    static const Color3B RED;
    static const Color3B MAGENTA;
    static const Color3B BLACK;
    static const Color3B ORANGE;
    static const Color3B GRAY;
};

struct Color4B {
    constexpr Color4B() = default;
    constexpr Color4B(GLubyte _r, GLubyte _g, GLubyte _b, GLubyte _a) : r(_r), g(_g), b(_b), a(_a) {}
    explicit Color4B(const Color3B& color, GLubyte _a = 255) : r(color.r), g(color.g), b(color.b), a(_a) {}
    explicit Color4B(const Color4F& color);

    void set(GLubyte _r, GLubyte _g, GLubyte _b, GLubyte _a) {
        r = _r;
        g = _g;
        b = _b;
        a = _a;
    }
    bool operator==(const Color4B& right) const {
        return r == right.r && g == right.g && b == right.b && a == right.a;
    }
    bool operator!=(const Color4B& right) const { return !(*this == right); }

    GLubyte r = 0;
    GLubyte g = 0;
    GLubyte b = 0;
    GLubyte a = 0;

    static const Color4B WHITE;
    static const Color4B YELLOW;
    static const Color4B BLUE;
    static const Color4B GREEN;
    static const Color4B RED;
    static const Color4B MAGENTA;
    static const Color4B BLACK;
    static const Color4B ORANGE;
    static const Color4B GRAY;
};

struct Color4F {
    constexpr Color4F() = default;
    constexpr Color4F(float _r, float _g, float _b, float _a) : r(_r), g(_g), b(_b), a(_a) {}
    explicit Color4F(const Color3B& color, float _a = 1.0f)
        : r(color.r / 255.0f), g(color.g / 255.0f), b(color.b / 255.0f), a(_a) {}
    explicit Color4F(const Color4B& color)
        : r(color.r / 255.0f), g(color.g / 255.0f), b(color.b / 255.0f), a(color.a / 255.0f) {}

    bool operator==(const Color4F& right) const {
        return r == right.r && g == right.g && b == right.b && a == right.a;
    }
    bool operator!=(const Color4F& right) const { return !(*this == right); }

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    static const Color4F WHITE;
    static const Color4F YELLOW;
    static const Color4F BLUE;
    static const Color4F GREEN;
    static const Color4F RED;
    static const Color4F MAGENTA;
    static const Color4F BLACK;
    static const Color4F ORANGE;
    static const Color4F GRAY;
};

struct Tex2F {
    Tex2F() = default;
    Tex2F(float _u, float _v) : u(_u), v(_v) {}
    float u = 0.0f;
    float v = 0.0f;
};

// One vertex as the renderer takes it: design-space position, colour, texture coordinate.
struct V2F_C4B_T2F {
    Vec2 vertices;
    Color4B colors;
    Tex2F texCoords;
};

struct V3F_C4B_T2F {
    Vec3 vertices;
    Color4B colors;
    Tex2F texCoords;
};

struct BlendFunc {
    GLenum src;
    GLenum dst;

    static const BlendFunc DISABLE;
    static const BlendFunc ALPHA_PREMULTIPLIED;
    static const BlendFunc ALPHA_NON_PREMULTIPLIED;
    static const BlendFunc ADDITIVE;

    bool operator==(const BlendFunc& a) const { return src == a.src && dst == a.dst; }
    bool operator!=(const BlendFunc& a) const { return !(*this == a); }
};

enum class TextHAlignment { LEFT, CENTER, RIGHT };

enum class TextVAlignment { TOP, CENTER, BOTTOM };

NS_CC_END
