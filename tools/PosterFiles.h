// SPDX-License-Identifier: MIT
#pragma once

// The pictures of an image poster, one file a page, written together: each
// through its own COutputFile, all made before any is put in place, so a
// failure on any page (a full disk, a picture that cannot be encoded)
// leaves every name as it stood. Should putting them in place fail part
// way, the pages this run created are removed again; a page that replaced
// a file keeps the new picture, the old one being gone by then.

#include <memory>
#include <string>
#include <vector>

class CImage;
class COutputFile;

class CPosterFiles {
public:
    // files: the pages' names in page order; keep: the input, never written.
    CPosterFiles(std::vector<std::string> files, std::string keep, std::string format);
    ~CPosterFiles();
    CPosterFiles(const CPosterFiles&) = delete;
    CPosterFiles& operator=(const CPosterFiles&) = delete;

    // The next page's picture; a failure is kept for Commit.
    void Add(const CImage& page);
    // Puts every page in place; false, with the reason, unless each page
    // came and was written whole.
    bool Commit(std::string& reason);

private:
    bool Fail(const std::string& file, const std::string& why);
    void RemoveCreated(size_t before);

    std::vector<std::string> m_files;
    std::string m_keep;
    std::string m_format;
    std::vector<std::unique_ptr<COutputFile>> m_open;
    std::vector<bool> m_existed;
    std::string m_reason;
};
