#pragma once
// A heroine, the emotion names scenario data uses, and the predicate shape that scenario
// filters and answer verdicts share.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

enum class Emotion { Normal = 0, Angry = 1, Happy = 2, Sad = 3, Surprised = 4, Embarrassed = 5 };

struct Character {
    std::int32_t id = 0;
    std::int32_t border = 0; // favour needed for a confession to succeed (favour >= border)
    std::string file;        // picture path, used unchanged as a sprite image
    // The personality profile: the thirteen keys of kParameterKeys, or nothing at all for a
    // heroine whose data gives "parameter": null.
    std::map<std::string, std::int32_t> parameter;
    std::set<std::string> attribute;
    std::string name; // display name; also the key of her confession texts
    std::string me;   // how she calls herself; carried, never shown
    std::string you;  // how she calls the player
    // Optional: a picture per emotion, each the size of `file`. An emotion without one shows
    // `file`; a heroine without any always does.
    std::map<Emotion, std::string> expressions;
};

// The picture that shows her with this emotion: her expression for it, or her base picture.
const std::string& pictureFor(const Character& character, Emotion emotion);

// A question about a heroine: a scenario filter or a selection's verdict. Both are pure, so
// they see the heroine through a const reference; a callable written to take a Character by
// value converts to this type as well.
using CharacterPredicate = std::function<bool(const Character&)>;

// Maps a data name ("Normal", "Angry", "Happy", "Sad", "Surprised", "Embarrassed"; exact,
// case-sensitive) to its Emotion. Any other name is invalid data: std::runtime_error whose
// message quotes the name.
Emotion toEmotion(const std::string& name);
