#pragma once
// The play scene: one object is one play against the 60-second clock. Its behaviour is split
// over several files by concern: Game.cpp (properties, layout), GameQuestion.cpp (questions,
// selections, input), GameTimer.cpp (the clock), GameFeedback.cpp (answers, favour, pop-ups),
// GameConfession.cpp, GameOver.cpp and GameReadAhead.cpp (pictures read before they show).
//
// The rules live in a Play (model/Play.h): the heroine table, favour, clock, score and the
// play's state. Only its Asking state takes input; the scene closes the menu the moment an
// answer or a confession is accepted, and the last step of that sequence reopens the play.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cocos2d.h"
#include "data/Character.h"
#include "data/Random.h"
#include "data/Scenario.h"
#include "model/Play.h"
#include "shell/RetainedProperty.h"

class Game : public cocos2d::Scene {
public:
    CREATE_FUNC(Game);

    ~Game() override;
    bool init() override;
    void update(float dt) override;

    // Nodes used after init. Each setter retains the new node and releases the old one; every
    // use goes through the getter and tolerates null (a picture or font that failed to load).
    virtual cocos2d::Menu* getSelectionMenu() const { return _selectionMenu; }
    virtual void setSelectionMenu(cocos2d::Menu* node) { retainInto(_selectionMenu, node); }
    virtual cocos2d::Label* getTimeLabel() const { return _timeLabel; }
    virtual void setTimeLabel(cocos2d::Label* node) { retainInto(_timeLabel, node); }
    virtual cocos2d::Label* getScoreLabel() const { return _scoreLabel; }
    virtual void setScoreLabel(cocos2d::Label* node) { retainInto(_scoreLabel, node); }
    virtual cocos2d::Label* getMenuText() const { return _menuText; }
    virtual void setMenuText(cocos2d::Label* node) { retainInto(_menuText, node); }
    virtual cocos2d::Sprite* getCharacter() const { return _character; }
    virtual void setCharacter(cocos2d::Sprite* node) { retainInto(_character, node); }
    virtual cocos2d::Sprite* getSuccessCharacter() const { return _successCharacter; }
    virtual void setSuccessCharacter(cocos2d::Sprite* node) { retainInto(_successCharacter, node); }
    virtual cocos2d::Sprite* getFailureCharacter() const { return _failureCharacter; }
    virtual void setFailureCharacter(cocos2d::Sprite* node) { retainInto(_failureCharacter, node); }
    virtual cocos2d::Sprite* getBackground() const { return _background; }
    virtual void setBackground(cocos2d::Sprite* node) { retainInto(_background, node); }
    virtual cocos2d::Sprite* getTextBox() const { return _textBox; }
    virtual void setTextBox(cocos2d::Sprite* node) { retainInto(_textBox, node); }
    virtual cocos2d::Sprite* getIcon() const { return _icon; }
    virtual void setIcon(cocos2d::Sprite* node) { retainInto(_icon, node); }

    // Read access for the score hand-off, tools and tests.
    int getScore() const { return _play.score(); }
    float getTimeLeft() const { return _play.timeLeft(); }
    bool isAcceptingInput() const { return _play.acceptsInput(); }
    bool isGameOver() const { return _gameOverStarted; }
    const Character& getCurrentGal() const { return _play.current(); }
    const Character& getSuccessGal() const { return _play.nextIfRight(); }
    const Character& getFailureGal() const { return _play.nextIfWrong(); }
    const Play& getPlay() const { return _play; }
    Play& getPlay() { return _play; } // tests set favour through it
    const std::vector<Selection>& getSelections() const { return _selections; }

    // Layout: the centre of answer row 0 or 1; the small portraits and the items use it.
    cocos2d::Vec2 answerRowPosition(int row) const;

    // Question flow.
    void pickNextGals();
    void setupQuestion(const Scenario& scenario, const Character& gal);
    void buildSelections(const Character& gal, const std::vector<Selection>& selections);
    bool isFirstSelectionCorrect() const;
    void updateNextGalPortraits();
    bool canAnswer() const;
    void startNextTurn();
    void updateTimer(float seconds);

    // Answer feedback and scoring.
    void showResult(bool correct, const Reaction& reaction, const Character& gal);
    int favourOf(const Character& gal) const;
    static std::string favourIconPath(int favour);
    void updateFavourIcon(int favour);
    void showMark(const std::string& file, float duration);
    cocos2d::ParticleSystemQuad* createSadParticle();
    void addTime(int seconds, float duration);
    void addScore(int points, float duration);
    cocos2d::Color4B timerColor() const;

    // Confession.
    void propose();
    void showProposeResult(bool success);
    void rotateGal();

    // Reading pictures ahead (GameReadAhead.cpp).
    void readAheadGal(const Character& gal);
    void readAheadQuestion(const Character& gal);
    void drawNextScenario();
    void drawAfterConfession();
    std::uint32_t drawForPlay(std::uint32_t count);

    // End of the play.
    void startGameOver();
    void showGameOverImage(const cocos2d::Vec2& centre);
    void goToScore();

private:
    // Layout steps of init.
    void createTimeLabel();
    void createScoreLabel();
    void createTextBox();
    void createMenuText();
    void createCharacter(const std::string& file);
    void createBackground(const std::string& file);
    void createNextGalPortraits();
    cocos2d::Sprite* createPortrait(const Character& gal, int row);
    void createIcon();
    void registerArrowKeys();
    void registerProposeKey();

    // Question flow helpers.
    void clearSelections();
    std::function<void(cocos2d::Ref*)> makeSelectionCallback(const Selection& selection,
                                                             const Character& gal);
    void addSelectionRow(int row, std::vector<cocos2d::MenuItem*>& items);
    void answer(const Selection& selection, const Character& gal);
    void runTurnSequence(const std::string& reactionText);
    void closeInput();
    void setMenuTextString(const std::string& text);
    // Her portrait with this emotion's picture (her base picture when she has none for it).
    void showExpression(const Character& gal, Emotion emotion);
    void placePortrait(cocos2d::Sprite* portrait, const Character& gal, bool onFirstRow);

    // Feedback helpers.
    void shakeCharacter();
    void attachToCharacter(cocos2d::Node* effect);
    cocos2d::ParticleSystemQuad* createEffect(const std::string& plist);
    void runPopUp(cocos2d::Label* popUp, const cocos2d::Vec2& drift, const cocos2d::Vec2& target,
                  float duration);
    void refreshScoreLabel();

    // Confession helpers.
    void showFocusLines(float duration);
    void showTimePopUp(int seconds, float duration);
    void showScorePopUp(int points, float duration);
    void askNewGalAfterConfession();

    cocos2d::Menu* _selectionMenu = nullptr;
    cocos2d::Label* _timeLabel = nullptr;
    cocos2d::Label* _scoreLabel = nullptr;
    cocos2d::Label* _menuText = nullptr;
    cocos2d::Sprite* _character = nullptr;
    cocos2d::Sprite* _successCharacter = nullptr;
    cocos2d::Sprite* _failureCharacter = nullptr;
    cocos2d::Sprite* _background = nullptr;
    cocos2d::Sprite* _textBox = nullptr;
    cocos2d::Sprite* _icon = nullptr;

    // The play draws through drawForPlay: the draws after a confession are taken at its start, in
    // the order they always came, and handed out when the confession ends.
    Play _play{[this](std::uint32_t count) { return drawForPlay(count); }};
    std::deque<std::uint32_t> _drawnAhead;
    bool _recordingDraws = false;
    std::optional<Scenario> _nextScenario; // drawn ahead, asked when its turn comes
    std::vector<Selection> _selections;
    std::int64_t _lastTicks = 0;
    std::vector<cocos2d::Sprite*> _selectionFrames; // each retained
    std::array<std::function<void(cocos2d::Ref*)>, 2> _selectionCallbacks;
    float _selectionHeight = 0.0f;
    float _selectionWidth = 0.0f;
    float _selectionGap = 0.0f;

    bool _proposeKeyRegistered = false; // the space key is hooked up in the first update
    bool _gameOverStarted = false;      // the hand-off sequence runs once per play
};
