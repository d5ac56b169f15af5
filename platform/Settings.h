#pragma once

// The settings store: one INI file read once at start and written once at
// exit ($XDG_CONFIG_HOME/<key>/<application>.ini). A file that cannot be
// read, or holds garbage, gives empty settings, never an error.

#include <map>
#include <string>

class CSettings {
public:
    void SetKey(const std::string& key, const std::string& application);
    // Reads the file; missing or unreadable files leave the store empty.
    void Load();
    // Writes every value back; false when the file cannot be written.
    bool Save() const;
    // Removes the file; false when it existed and could not be removed.
    bool Remove() const;
    std::string FilePath() const;

    std::string GetString(const std::string& section, const std::string& entry, const std::string& def = "") const;
    int GetInt(const std::string& section, const std::string& entry, int def) const;
    void SetString(const std::string& section, const std::string& entry, const std::string& value);
    void SetInt(const std::string& section, const std::string& entry, int value);
    void RemoveEntry(const std::string& section, const std::string& entry);

private:
    std::string m_key;
    std::string m_application;
    std::map<std::string, std::map<std::string, std::string>> m_values;
};
