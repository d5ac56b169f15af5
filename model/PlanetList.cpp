#include "PlanetList.h"

#include <utility>

void CPlanetList::push_back(CPlanet&& planet)
{
    if (m_count % kBlock == 0) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(kBlock);
    }
    m_blocks.back().push_back(std::move(planet));
    ++m_count;
}

void CPlanetList::clear()
{
    m_blocks.clear();
    m_count = 0;
}
