// SPDX-License-Identifier: MIT
#pragma once

// The map document: owns the one CStarMap the view shows. Every open and
// every new document gets a fresh map; nothing is ever stored.

#include "model/map/StarMap.h"

#include "platform/framework/Document.h"

#include <cstdint>
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
    // Which map m_pMap is: a new number for each map made or dropped, so
    // that what a view built from one map is never taken for another's,
    // even should the next map land at the same address.
    std::uint64_t GetMapGeneration() const { return m_mapGeneration; }

private:
    // Makes map (null for none) the current map, under a new generation.
    void SetMap(std::unique_ptr<CStarMap> map);

    std::unique_ptr<CStarMap> m_map;
    std::uint64_t m_mapGeneration = 0;
};
