#pragma once

#include <sys/types.h>

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCValue.h"
#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

// A block of bytes that owns its memory.
class Data {
public:
    static const Data Null;

    Data() = default;
    Data(const Data& other) = default;
    Data(Data&& other) noexcept = default;
    Data& operator=(const Data& other) = default;
    Data& operator=(Data&& other) noexcept = default;

    unsigned char* getBytes() const { return const_cast<unsigned char*>(_bytes.data()); }
    ssize_t getSize() const { return static_cast<ssize_t>(_bytes.size()); }
    // Copies size bytes.
    void copy(const unsigned char* bytes, ssize_t size);
    void fastSet(std::vector<unsigned char>&& bytes) { _bytes = std::move(bytes); }
    bool isNull() const { return _bytes.empty(); }
    void clear() { _bytes.clear(); }

private:
    std::vector<unsigned char> _bytes;
};

// Resolves resource names against the search paths (default: the Resources/ folder beside the
// executable) and reads files. Relative names are tried against each search path in order, the first
// existing regular file wins, and results are cached per name.
class FileUtils {
public:
    static FileUtils* getInstance();
    static void destroyInstance();

    virtual ~FileUtils();

    virtual void purgeCachedEntries();

    // "" for an empty name; absolute paths come back unchanged; "" plus a log line when no search path
    // holds the file.
    virtual std::string fullPathForFilename(const std::string& filename) const;
    virtual std::string fullPathFromRelativeFile(const std::string& filename,
                                                 const std::string& relativeFile) const;

    // Regular files only: a directory of that name does not count.
    virtual bool isFileExist(const std::string& filename) const;
    virtual bool isDirectoryExist(const std::string& dirPath) const;
    virtual bool isAbsolutePath(const std::string& path) const;
    virtual long getFileSize(const std::string& filepath) const;
    virtual std::string getFileExtension(const std::string& filePath) const;

    // Whole file as bytes; "" / null Data on failure.
    virtual std::string getStringFromFile(const std::string& filename) const;
    virtual Data getDataFromFile(const std::string& filename) const;

    // Property lists (XML). Missing or malformed files give an empty map/vector and a log line.
    virtual ValueMap getValueMapFromFile(const std::string& filename) const;
    virtual ValueMap getValueMapFromData(const char* filedata, int filesize) const;
    virtual ValueVector getValueVectorFromFile(const std::string& filename) const;

    virtual bool writeStringToFile(const std::string& dataStr, const std::string& fullPath) const;
    virtual bool writeDataToFile(const Data& data, const std::string& fullPath) const;
    virtual bool createDirectory(const std::string& dirPath) const;
    virtual bool removeFile(const std::string& filepath) const;

    virtual void setSearchPaths(const std::vector<std::string>& searchPaths);
    virtual void addSearchPath(const std::string& path, bool front = false);
    virtual const std::vector<std::string>& getSearchPaths() const { return _searchPathArray; }
    virtual const std::vector<std::string>& getOriginalSearchPaths() const { return _originalSearchPaths; }
    virtual void setSearchResolutionsOrder(const std::vector<std::string>& searchResolutionsOrder);
    virtual void addSearchResolutionsOrder(const std::string& order, bool front = false);
    virtual const std::vector<std::string>& getSearchResolutionsOrder() const {
        return _searchResolutionsOrderArray;
    }
    void setDefaultResourceRootPath(const std::string& path);
    const std::string& getDefaultResourceRootPath() const { return _defaultResRootPath; }

    // The per-user folder, created (with its parents) if needed; ends with '/'.
    virtual std::string getWritablePath() const;
    void setWritablePath(const std::string& writablePath);

protected:
    FileUtils();

private:
    std::string resolve(const std::string& filename) const;
    std::string toSearchPath(const std::string& path) const;

    std::vector<std::string> _searchPathArray;
    std::vector<std::string> _originalSearchPaths;
    std::vector<std::string> _searchResolutionsOrderArray;
    std::string _defaultResRootPath;
    std::string _writablePath;
    mutable std::unordered_map<std::string, std::string> _fullPathCache;
    mutable std::recursive_mutex _mutex;
};

NS_CC_END
