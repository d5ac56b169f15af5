// SPDX-License-Identifier: MIT
#pragma once

// A structure the view builds from the document's map (the planet index of
// the tip, the names folded for Center On): made on first use and kept
// while the document holds that map. It is keyed to the document's map
// generation, never to the map's address, so that what was built from one
// map cannot answer for the next: a map opened after another may well be
// given the same address.

#include "model/KestrinDoc.h"

#include <cstdint>
#include <memory>

template <class Built>
class CBuiltFromMap {
public:
    // The structure of the document's current map, which must be present.
    const Built& For(const CKestrinDoc& doc)
    {
        if (!m_built || m_generation != doc.GetMapGeneration()) {
            m_built = std::make_unique<Built>(*doc.m_pMap);
            m_generation = doc.GetMapGeneration();
        }
        return *m_built;
    }
    // Lets the memory go at once; the next use builds again.
    void Drop() { m_built.reset(); }

private:
    std::unique_ptr<Built> m_built;
    std::uint64_t m_generation = 0;
};
