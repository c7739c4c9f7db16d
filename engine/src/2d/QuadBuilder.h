#pragma once

#include "base/ccTypes.h"
#include "math/Mat4.h"

NS_CC_BEGIN

// Fills the four corners (bottom-left, bottom-right, top-left, top-right) of a local rectangle
// transformed to design space, with one colour and the given texture coordinates.
inline void buildQuad(V2F_C4B_T2F quad[4], const Mat4& transform, float x0, float y0, float x1, float y1,
                      const Color4B& color, float u0, float v0, float u1, float v1) {
    const float* m = transform.m;
    const float xs[4] = {x0, x1, x0, x1};
    const float ys[4] = {y0, y0, y1, y1};
    const float us[4] = {u0, u1, u0, u1};
    const float vs[4] = {v1, v1, v0, v0}; // v grows downwards in the image
    for (int i = 0; i < 4; ++i) {
        quad[i].vertices.x = m[0] * xs[i] + m[4] * ys[i] + m[12];
        quad[i].vertices.y = m[1] * xs[i] + m[5] * ys[i] + m[13];
        quad[i].colors = color;
        quad[i].texCoords.u = us[i];
        quad[i].texCoords.v = vs[i];
    }
}

NS_CC_END
