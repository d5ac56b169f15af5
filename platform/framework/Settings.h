// SPDX-License-Identifier: MIT
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
// an error.
//
// A save changes only the entries that were set or removed since the file
// was read: every other line, comments, blank lines, entries of others and
// lines this reader does not understand (control bytes, garbage), is
// written back byte for byte. A file that was there but not read whole (too
// large for a settings file, unreadable, not a regular file) is never
// written. The file is replaced through COutputFile: whole or not at all, a
// symbolic link followed to its target, and a file that the user made
// read-only left alone; each save also clears the new files that runs
// ended part-way through a save left beside it.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CSettings {
public:
    void SetKey(const std::string& key, const std::string& application);
    // Reads the file; missing or unreadable files leave the store empty.
    void Load();
    // Writes the changed values back; false when the file cannot or may not
    // be written (it was not read whole, or was never read). Without a
    // configuration folder, writes nothing and returns true.
    bool Save() const;
    // Removes the file; false when it existed and could not be removed.
    bool Remove() const;
    // The file's path; empty when there is no private configuration folder.
    std::string FilePath() const;

    // The store as the file's text: the text read, with the entries set or
    // removed since changed in it; and the store read from a text.
    std::string Format() const;
    void Parse(const std::string& text);

    std::string GetString(const std::string& section, const std::string& entry, const std::string& def = "") const;
    int GetInt(const std::string& section, const std::string& entry, int def) const;
    void SetString(const std::string& section, const std::string& entry, const std::string& value);
    void SetInt(const std::string& section, const std::string& entry, int value);
    void RemoveEntry(const std::string& section, const std::string& entry);

private:
    using Key = std::pair<std::string, std::string>;  // section, entry
    void Changed(const std::string& section, const std::string& entry);
    void AppendChanged(std::string& text, const std::string& section, std::set<Key>& written) const;
    void AppendNewSections(std::string& text, std::set<Key>& written) const;

    std::string m_key;
    std::string m_application;
    std::map<std::string, std::map<std::string, std::string>> m_values;
    std::vector<std::string> m_lines;  // the text read, each line with its newline
    std::set<Key> m_changed;           // entries set or removed since
    bool m_writable = false;           // read whole, or no file stood there
};
