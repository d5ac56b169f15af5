// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the place an output file goes, found once.
//
// The folder that holds the file is opened once; every later look at the
// file, the new file and the rename go through that handle, so a folder
// swapped for a link between the check and the write cannot redirect it.
// A symbolic link at the end of the path is followed, one link at a time,
// each from the folder that holds it, to the file it names, so that the
// link survives the replacement; a link that names nothing fails with
// ENOENT, and a chain of more than 40 links with ELOOP.

#include <string>
#include <sys/stat.h>

struct COutputTarget {
    int dir = -1;       // the folder holding the file; -1 when not found
    std::string name;   // the file's name in that folder
    bool exists = false;
    struct stat st {};  // the file's status when it exists

    COutputTarget() = default;
    ~COutputTarget();
    COutputTarget(const COutputTarget&) = delete;
    COutputTarget& operator=(const COutputTarget&) = delete;

    // Finds path's folder and file; false with the system's error in error.
    bool Find(const std::string& path, int& error);
    // Looks at the file again through the folder handle.
    bool Restat(int& error);
    // Whether it must not be replaced: not a regular file, write-protected
    // (the owner's write bit is clear, or the system denies writing), or the
    // file keep names (by device and inode). Sets reason when refused.
    bool Refused(const std::string& keep, std::string& reason) const;
    void Close();
};
