#include "data/Character.h"

#include <stdexcept>
#include <utility>

namespace {

const std::pair<const char*, Emotion> kEmotionNames[] = {
    {"Normal", Emotion::Normal}, {"Angry", Emotion::Angry},         {"Happy", Emotion::Happy},
    {"Sad", Emotion::Sad},       {"Surprised", Emotion::Surprised}, {"Embarrassed", Emotion::Embarrassed},
};

} // namespace

Emotion toEmotion(const std::string& name) {
    for (const auto& [text, emotion] : kEmotionNames) {
        if (name == text) {
            return emotion;
        }
    }
    // A wrong name would otherwise pass silently as some default expression; the data is
    // broken, so stop loading and say which value it was.
    throw std::runtime_error("unknown emotion \"" + name +
                             "\" (expected Normal, Angry, Happy, Sad, Surprised or Embarrassed)");
}

const std::string& pictureFor(const Character& character, Emotion emotion) {
    const auto found = character.expressions.find(emotion);
    return found != character.expressions.end() ? found->second : character.file;
}
