// XML property lists (particle definitions, sprite sheets) read into Value trees.
#include <cstdlib>

#include <tinyxml2.h>

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"

NS_CC_BEGIN

namespace {

Value parseNode(const tinyxml2::XMLElement* element);

ValueMap parseDict(const tinyxml2::XMLElement* dict) {
    ValueMap map;
    for (const tinyxml2::XMLElement* key = dict->FirstChildElement("key"); key != nullptr;
         key = key->NextSiblingElement("key")) {
        const tinyxml2::XMLElement* value = key->NextSiblingElement();
        const char* name = key->GetText();
        map[name != nullptr ? name : ""] = value != nullptr ? parseNode(value) : Value();
    }
    return map;
}

Value parseNode(const tinyxml2::XMLElement* element) {
    std::string tag = element->Name();
    const char* text = element->GetText();
    std::string content = text != nullptr ? text : "";
    if (tag == "dict") {
        return Value(parseDict(element));
    }
    if (tag == "array") {
        ValueVector vector;
        for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            vector.push_back(parseNode(child));
        }
        return Value(std::move(vector));
    }
    if (tag == "integer") {
        return Value(std::atoi(content.c_str()));
    }
    if (tag == "real") {
        return Value(std::strtod(content.c_str(), nullptr));
    }
    if (tag == "true") {
        return Value(true);
    }
    if (tag == "false") {
        return Value(false);
    }
    // string, date, data (base64 text) and anything unknown stay text.
    return Value(content);
}

const tinyxml2::XMLElement* plistRoot(tinyxml2::XMLDocument& doc, const char* data, size_t size,
                                      const char* wantedTag, const std::string& what) {
    if (doc.Parse(data, size) != tinyxml2::XML_SUCCESS) {
        log("FileUtils: %s is not a valid property list: %s", what.c_str(), doc.ErrorStr());
        return nullptr;
    }
    const tinyxml2::XMLElement* root = doc.RootElement();
    if (root != nullptr && std::string(root->Name()) == "plist") {
        root = root->FirstChildElement();
    }
    if (root == nullptr || std::string(root->Name()) != wantedTag) {
        log("FileUtils: %s holds no <%s> at its top", what.c_str(), wantedTag);
        return nullptr;
    }
    return root;
}

} // namespace

ValueMap FileUtils::getValueMapFromFile(const std::string& filename) const {
    std::string contents = getStringFromFile(filename);
    if (contents.empty()) {
        return ValueMap();
    }
    tinyxml2::XMLDocument doc;
    const tinyxml2::XMLElement* root = plistRoot(doc, contents.data(), contents.size(), "dict", filename);
    return root != nullptr ? parseDict(root) : ValueMap();
}

ValueMap FileUtils::getValueMapFromData(const char* filedata, int filesize) const {
    if (filedata == nullptr || filesize <= 0) {
        return ValueMap();
    }
    tinyxml2::XMLDocument doc;
    const tinyxml2::XMLElement* root =
        plistRoot(doc, filedata, static_cast<size_t>(filesize), "dict", "property list data");
    return root != nullptr ? parseDict(root) : ValueMap();
}

ValueVector FileUtils::getValueVectorFromFile(const std::string& filename) const {
    std::string contents = getStringFromFile(filename);
    if (contents.empty()) {
        return ValueVector();
    }
    tinyxml2::XMLDocument doc;
    const tinyxml2::XMLElement* root = plistRoot(doc, contents.data(), contents.size(), "array", filename);
    return root != nullptr ? parseNode(root).asValueVector() : ValueVector();
}

NS_CC_END
