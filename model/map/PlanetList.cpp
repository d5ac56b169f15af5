// SPDX-License-Identifier: MIT
#include "PlanetList.h"

CPlanet& CPlanetList::AppendEmpty()
{
    if (m_count % kBlock == 0) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(kBlock);
    }
    ++m_count;
    return m_blocks.back().emplace_back();
}

void CPlanetList::pop_back()
{
    m_blocks.back().pop_back();
    if (m_blocks.back().empty())
        m_blocks.pop_back();
    --m_count;
}

void CPlanetList::clear()
{
    m_blocks.clear();
    m_count = 0;
}
