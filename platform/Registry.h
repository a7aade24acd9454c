#pragma once

// The program's settings store, shaped like the Windows registry class the
// code was written for, kept in one INI file per user (mode 0600).
//
// File: $CHANFORGE_CONFIG when set, otherwise chanforge/chanforge.ini in the
// user's XDG config folder. Values carry their type, so typed reads behave as
// on Windows: reading a missing or differently typed value as an integer or a
// boolean raises ERegistryException; as a string it gives "" when missing.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class QSettings;

namespace cf {

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TRootKey { HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS };
using enum TRootKey;

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

std::filesystem::path ConfigFilePath();

class TRegistry {
public:
    TRegistry();
    ~TRegistry();  // writes pending changes
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    TRootKey RootKey = HKEY_CURRENT_USER;
    // Key paths use "\" as on Windows; a leading "\" starts at the root,
    // otherwise the path is relative to the open key.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key) { return OpenKey(key, false); }
    void CloseKey();
    std::string CurrentPath() const { return current_; }
    bool KeyExists(const std::string& key);
    bool DeleteKey(const std::string& key);
    std::vector<std::string> GetKeyNames();

    bool ValueExists(const std::string& name);
    bool DeleteValue(const std::string& name);
    std::vector<std::string> GetValueNames();
    TRegDataType GetDataType(const std::string& name);

    std::string ReadString(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    int ReadInteger(const std::string& name);
    void WriteInteger(const std::string& name, int value);
    bool ReadBool(const std::string& name);
    void WriteBool(const std::string& name, bool value);
    std::vector<uint8_t> ReadBinaryData(const std::string& name);
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& data);

    // Writes the file now (also done by CloseKey and the destructor).
    void Flush();

private:
    std::string Group(const std::string& key) const;
    std::string ValueKey(const std::string& name) const;
    std::string Raw(const std::string& name, bool& found);
    std::unique_ptr<QSettings> settings_;
    std::string current_;  // open key, "\"-separated without leading "\"; empty = root
    bool open_ = false;
    bool dirty_ = false;
};

} // namespace cf
