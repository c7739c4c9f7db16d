// Reading and writing the UserDefault file. Writes go to a fresh temp file in the same folder which
// is flushed to the disk and then moved over the store in one step (fs::replaceFileAtomically), so
// the store on disk is always either the old or the new complete file.
#include <cstdio>
#include <cstring>
#include <ctime>

#include <tinyxml2.h>

#include "base/CCConsole.h"
#include "base/CCUserDefault.h"
#include "platform/FileSystem.h"

NS_CC_BEGIN

namespace {

const char* const kRootName = "userDefaultRoot";

std::string serialise(const std::map<std::string, std::string>& values) {
    tinyxml2::XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration("xml version=\"1.0\" encoding=\"UTF-8\""));
    tinyxml2::XMLElement* root = doc.NewElement(kRootName);
    doc.InsertEndChild(root);
    for (const auto& entry : values) {
        tinyxml2::XMLElement* element = doc.NewElement(entry.first.c_str());
        element->SetText(entry.second.c_str());
        root->InsertEndChild(element);
    }
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}

// A name beside the store that does not exist yet, e.g. UserDefault.xml.corrupt-20260101-120000.
std::string asideName(const std::string& path) {
    char stamp[32];
    std::tm tm = fs::localTime(std::time(nullptr));
    std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", &tm);
    std::string base = path + ".corrupt-" + stamp;
    std::string candidate = base;
    for (int n = 2; fs::isRegularFile(candidate) || fs::isDirectory(candidate); ++n) {
        candidate = base + "-" + std::to_string(n);
    }
    return candidate;
}

// Temp files left by a process killed in the middle of a write: never renamed over the store,
// so they hold nothing the store lacks. Cleared when the store is opened so they don't pile up.
void removeStaleTempFiles(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    const std::string prefix = fs::tempPrefixFor(path.substr(slash == std::string::npos ? 0 : slash + 1));
    for (const std::string& name : fs::listFolder(folder)) {
        if (name.compare(0, prefix.size(), prefix) == 0) {
            fs::removeFile(folder + name);
        }
    }
}

} // namespace

void UserDefault::load() {
    const std::string& path = getXMLFilePath();
    _values.clear();
    removeStaleTempFiles(path);
    if (!fs::isRegularFile(path)) {
        if (fs::isDirectory(path)) {
            setAside("it is a folder");
        }
        save();
        return;
    }
    // Read through fs so a folder name in any script opens on every platform.
    std::string bytes;
    if (!fs::readFile(path, &bytes)) {
        setAside("unreadable");
        save();
        return;
    }
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLError error = doc.Parse(bytes.data(), bytes.size());
    if (error != tinyxml2::XML_SUCCESS) {
        setAside(doc.ErrorStr() != nullptr ? doc.ErrorStr() : "unreadable");
        save();
        return;
    }
    const tinyxml2::XMLElement* root = doc.RootElement();
    if (root == nullptr || std::strcmp(root->Name(), kRootName) != 0) {
        setAside("no userDefaultRoot element");
        save();
        return;
    }
    for (const tinyxml2::XMLElement* e = root->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        const char* text = e->GetText();
        _values[e->Name()] = text != nullptr ? text : "";
    }
}

void UserDefault::setAside(const char* reason) {
    const std::string& path = getXMLFilePath();
    std::string aside = asideName(path);
    if (fs::renameFile(path, aside)) {
        log("UserDefault: %s could not be read (%s); kept it as %s and started with defaults", path.c_str(),
            reason, aside.c_str());
    } else {
        log("UserDefault: %s could not be read (%s) nor moved aside (%s); starting with defaults",
            path.c_str(), reason, fs::lastError().c_str());
    }
    _values.clear();
}

bool UserDefault::save() {
    const std::string& path = getXMLFilePath();
    std::string failure;
    if (!fs::replaceFileAtomically(path, serialise(_values), &failure)) {
        log("UserDefault: writing %s failed (%s); the value is kept for this session", path.c_str(),
            failure.c_str());
        _dirty = true;
        return false;
    }
    _dirty = false;
    return true;
}

NS_CC_END
