#pragma once

// A small showcase scene for looking at the renderer: a gradient backdrop, textured and solid
// sprites (turned, scaled, faded, nested), z-ordering and labels, one outlined in Japanese.

#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "cocos2d.h"

inline std::string writeDemoImage(const std::string& folder, const std::string& name, int w, int h,
                                  bool disc) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float dx = (x - w / 2.0f) / (w / 2.0f);
            float dy = (y - h / 2.0f) / (h / 2.0f);
            bool inside = !disc || dx * dx + dy * dy <= 1.0f;
            Uint8 r = static_cast<Uint8>(40 + 180 * x / w);
            Uint8 g = static_cast<Uint8>(30 + 120 * y / h);
            Uint8 b = static_cast<Uint8>(disc ? 240 : 90);
            pixels[y * (surface->pitch / 4) + x] = SDL_MapRGBA(surface->format, r, g, b, inside ? 255 : 0);
        }
    }
    std::string path = folder + name;
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

inline cocos2d::Scene* buildDemoScene(const std::string& imageFolder, const std::string& fontPath) {
    using namespace cocos2d;
    Scene* scene = Scene::create();
    Sprite* backdrop = Sprite::create(writeDemoImage(imageFolder, "demo-backdrop.png", 320, 180, false));
    backdrop->setScale(4);
    backdrop->setPosition(640, 360);
    scene->addChild(backdrop, -10);

    std::string discPath = writeDemoImage(imageFolder, "demo-disc.png", 96, 96, true);
    for (int i = 0; i < 5; ++i) {
        Sprite* disc = Sprite::create(discPath);
        disc->setPosition(160.0f + i * 110, 170);
        disc->setOpacity(static_cast<GLubyte>(255 - i * 50)); // fading left to right
        scene->addChild(disc);
    }

    // A turned, scaled group whose children turn with it.
    Node* group = Node::create();
    group->setPosition(900, 450);
    group->setRotation(30);
    group->setScale(1.5f);
    scene->addChild(group);
    const Color3B colours[] = {Color3B::RED, Color3B::GREEN, Color3B(60, 120, 255)};
    for (int i = 0; i < 3; ++i) {
        Sprite* box = Sprite::create();
        box->setTextureRect(Rect(0, 0, 80, 50));
        box->setColor(colours[i]);
        box->setPosition(i * 40.0f, i * 25.0f); // overlapping: later boxes on top
        box->setRotation(i * 15.0f);
        group->addChild(box);
    }
    Sprite* behind = Sprite::create();
    behind->setTextureRect(Rect(0, 0, 240, 30));
    behind->setColor(Color3B::YELLOW);
    behind->setPosition(40, 25);
    group->addChild(behind, -1);

    // A translucent panel with an outlined Japanese title and a wrapped, centred caption.
    Sprite* panel = Sprite::create();
    panel->setTextureRect(Rect(0, 0, 620, 200));
    panel->setColor(Color3B::BLACK);
    panel->setOpacity(140);
    panel->setPosition(360, 500);
    scene->addChild(panel, 1);
    Label* title = Label::createWithTTF("ようこそ、ソルヴェインへ！", fontPath, 44);
    if (title) {
        title->enableOutline(Color4B(200, 40, 90, 255), 3);
        title->setPosition(360, 550);
        scene->addChild(title, 2);
    }
    Label* caption =
        Label::createWithTTF("Sprites turn clockwise, fade, nest and stack; text wraps inside its box.",
                             fontPath, 24, Size(560, 0), TextHAlignment::CENTER);
    if (caption) {
        caption->setPosition(360, 460);
        caption->setTextColor(Color4B(255, 230, 160, 255));
        scene->addChild(caption, 2);
    }
    return scene;
}
