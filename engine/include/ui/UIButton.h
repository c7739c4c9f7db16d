#pragma once

#include <string>

#include "ui/UIWidget.h"

NS_CC_BEGIN

class Label;
class Sprite;

namespace ui {

// A push button from up to three images. Without a pressed image the normal one grows by the zoom
// scale while pressed; without a disabled image the normal one is greyed.
class Button : public Widget {
public:
    static Button* create();
    static Button* create(const std::string& normalImage, const std::string& selectedImage = "",
                          const std::string& disableImage = "",
                          TextureResType texType = TextureResType::LOCAL);

    // An empty path keeps that state without an image of its own.
    void loadTextures(const std::string& normal, const std::string& selected,
                      const std::string& disabled = "", TextureResType texType = TextureResType::LOCAL);
    void loadTextureNormal(const std::string& normal, TextureResType texType = TextureResType::LOCAL);
    void loadTexturePressed(const std::string& selected, TextureResType texType = TextureResType::LOCAL);
    void loadTextureDisabled(const std::string& disabled, TextureResType texType = TextureResType::LOCAL);

    void setPressedActionEnabled(bool enabled) { _pressedActionEnabled = enabled; }
    void setZoomScale(float scale) { _zoomScale = scale; }
    float getZoomScale() const { return _zoomScale; }

    void setTitleText(const std::string& text);
    std::string getTitleText() const;
    void setTitleFontName(const std::string& fontName);
    void setTitleFontSize(float size);
    void setTitleColor(const Color3B& color);

    // The renderer currently shown (normal, pressed or disabled image).
    Sprite* getRendererNormal() const { return _buttonNormalRenderer; }
    Sprite* getRendererClicked() const { return _buttonClickedRenderer; }
    Sprite* getRendererDisabled() const { return _buttonDisabledRenderer; }
    Label* getTitleRenderer() const { return _titleRenderer; }

    CC_CONSTRUCTOR_ACCESS : Button();
    ~Button() override;
    bool init() override;

protected:
    static const float kDefaultZoomScale;

    void onPressStateChangedToNormal() override;
    void onPressStateChangedToPressed() override;
    void onPressStateChangedToDisabled() override;
    Sprite* replaceRenderer(Sprite* old, const std::string& file, bool& loaded);
    void showOnly(Sprite* shown);
    void updateTitleLayout();

    Sprite* _buttonNormalRenderer = nullptr;
    Sprite* _buttonClickedRenderer = nullptr;
    Sprite* _buttonDisabledRenderer = nullptr;
    Label* _titleRenderer = nullptr;
    std::string _titleFontName;
    float _titleFontSize = 14.0f;
    Color3B _titleColor = Color3B::WHITE;
    bool _normalTextureLoaded = false;
    bool _pressedTextureLoaded = false;
    bool _disabledTextureLoaded = false;
    bool _pressedActionEnabled = false;
    float _zoomScale = 0.1f;
};

} // namespace ui

NS_CC_END
