#pragma once

// The settings store: one INI file read once at start and written back at
// exit, at the end of the desktop session and on SIGTERM or SIGHUP:
// $XDG_CONFIG_HOME/<key>/<application>.ini, or ~/.config/... when that is
// unset.
//
// With neither a private configuration folder (XDG_CONFIG_HOME and HOME
// both unset, or not absolute), the settings live in memory for the run:
// nothing is read or written, and nothing is said about it.
//
// Every value, and every section and entry name, is escaped
// (TextEscape.h), so any bytes, a file name with a
// newline or a planted "[Section]" line among them, come back exactly. A
// file that cannot be read, or holds garbage, gives empty settings, never
// an error. The file is replaced through COutputFile: whole or not at all,
// a symbolic link followed to its target, and a file that the user made
// read-only, or anything that is not a regular file, left alone.

#include <map>
#include <string>

class CSettings {
public:
    void SetKey(const std::string& key, const std::string& application);
    // Reads the file; missing or unreadable files leave the store empty.
    void Load();
    // Writes every value back; false when the file cannot be written.
    // Without a configuration folder, writes nothing and returns true.
    bool Save() const;
    // Removes the file; false when it existed and could not be removed.
    bool Remove() const;
    // The file's path; empty when there is no private configuration folder.
    std::string FilePath() const;

    // The store as the file's text, and read back from it.
    std::string Format() const;
    void Parse(const std::string& text);

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
