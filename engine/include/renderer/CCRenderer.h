#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "base/ccMacros.h"
#include "base/ccTypes.h"
#include "math/CCGeometry.h"
#include "renderer/SoftBlend.h"

struct SDL_Renderer;
struct SDL_Vertex;
struct SDL_Texture;
struct SDL_Surface;
struct SDL_Rect;
struct SDL_Color;

NS_CC_BEGIN

class Texture2D;
namespace soft {
struct Box;
}

// Draws triangles given in design coordinates (y up) onto the view's SDL renderer, mapping them
// to frame pixels through the resolution policy's viewport and scale.
class Renderer {
public:
    Renderer();
    ~Renderer();

    // Called by the Director before each frame with the view's current mapping.
    // `frame`, when given, is the surface a software target draws into: some pictures are then
    // written into it directly.
    void beginFrame(SDL_Renderer* target, const Rect& viewport, float scaleX, float scaleY, float frameHeight,
                    SDL_Surface* frame = nullptr);
    void endFrame();

    // A null texture draws the vertex colours untextured. Indices may be null (then every three
    // vertices form a triangle).
    void drawTriangles(Texture2D* texture, const V2F_C4B_T2F* vertices, int vertexCount, const int* indices,
                       int indexCount, const BlendFunc& blend);
    // Convenience: one quad given as bottom-left, bottom-right, top-left, top-right.
    void drawQuad(Texture2D* texture, const V2F_C4B_T2F quad[4], const BlendFunc& blend);

    SDL_Renderer* getTarget() const { return _target; }
    // True for a software target: it copies axis-aligned quads quickly but turned ones slowly.
    // With the frame at hand the engine walks turned quads into it itself, quickly.
    bool turnsQuadsSlowly() const { return _software && !_frameSurface; }
    int getDrawCallCount() const { return _drawCalls; }

private:
    // Clears the frame if that is still to be done, unless `covered` (the draw under way covers
    // it all opaquely).
    void settleClear(bool covered);
    // The quads in _scratch are one upright quad over the whole frame at hand.
    bool coversFrame(int vertexCount, const int* indices, int indexCount) const;
    // Software target: draws an axis-aligned quad showing a whole texture from its scaled copy;
    // false when the quad is anything else or no copy is ready.
    bool drawScaledCopy(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                        int blendMode, bool firstDraw);
    // Software target: draws turned quads by sampling the picture for each frame pixel, into the
    // frame when it is at hand (any number of quads, spinning particles too), else onto a canvas
    // SDL copies (one large quad only); false when the quads are all upright or it can't.
    bool drawTurnedQuad(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                        int blendMode);

    // Software target with the frame at hand: quads that each show an upright box of the picture
    // in one colour, drawn straight into the frame; false for anything else.
    bool drawUprightQuads(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                          int blendMode);
    // A box of the picture scaled smoothly to width x height into _stretched; false if too large.
    bool stretchSmoothly(const SDL_Surface* image, const soft::Box& from, int width, int height);
    // Software target with the frame at hand: a scaled copy drawn into the frame at `rect`.
    bool drawCopyIntoFrame(SDL_Texture* copy, const SDL_Rect& rect, const SDL_Color& tint, int blendMode);

    // Software target: writes a whole picture at its own size into the frame, over the black the
    // frame was cleared to; false when the frame's pixels aren't at hand.
    bool drawOverBlack(Texture2D* texture, int x, int y);

    SDL_Renderer* _target = nullptr;
    SDL_Surface* _frameSurface = nullptr;
    unsigned _frame = 0;
    // Nothing drawn yet since the frame was cleared to black.
    bool _untouched = false;
    // The frame at hand is still to be cleared (done at the first draw that doesn't cover it).
    bool _clearPending = false;
    // Textures whose scaled copies were drawn last frame and this one (held, so they stay alive);
    // a copy not drawn for a whole frame is freed, so copies cost memory only while on screen.
    std::vector<Texture2D*> _copiesShown;
    std::vector<Texture2D*> _copiesShownBefore;
    // A frame-sized texture the turned quads are mapped onto (software target only).
    SDL_Texture* _canvas = nullptr;
    unsigned int _canvasGeneration = 0;
    unsigned _canvasUsedFrame = 0;
    float _originX = 0.0f;
    float _originY = 0.0f;
    float _scaleX = 1.0f;
    float _scaleY = 1.0f;
    float _frameHeight = 0.0f;
    int _drawCalls = 0;
    bool _software = false;
    std::vector<SDL_Vertex> _scratch;
    // Working rows for drawing into the frame.
    std::vector<uint32_t> _rowScratch;
    // Each quad's box in the picture and in the frame, for the upright draw.
    std::vector<std::pair<soft::Box, soft::Box>> _boxes;
    // A picture scaled smoothly before it is drawn; freed once unused for a frame.
    std::vector<uint32_t> _stretched;
    unsigned _stretchedUsedFrame = 0;
};

NS_CC_END
