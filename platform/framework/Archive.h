// SPDX-License-Identifier: MIT
#pragma once

// What Serialize is handed: the open file and the direction. Kestrin only
// ever loads.

#include "platform/framework/File.h"
#include "platform/surface/Types.h"

class CArchive {
public:
    enum Mode { load = 1, store = 0 };
    CArchive(CFile* file, Mode mode) : m_file(file), m_mode(mode) {}
    BOOL IsLoading() const { return m_mode == load; }
    BOOL IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_file; }

private:
    CFile* m_file;
    Mode m_mode;
};
