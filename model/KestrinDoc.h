// SPDX-License-Identifier: MIT
#pragma once

// The map document: owns the one CStarMap the view shows. Every open and
// every new document gets a fresh map; nothing is ever stored.

#include "model/map/StarMap.h"

#include "platform/framework/Document.h"

#include <memory>

class CKestrinDoc : public CDocument {
public:
    CKestrinDoc() = default;
    ~CKestrinDoc() override;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;

    // The current map; present whenever the document is open.
    CStarMap* m_pMap = nullptr;

private:
    std::unique_ptr<CStarMap> m_map;
};
