// SPDX-License-Identifier: MIT
#include "ReachSearch.h"

#include <utility>

CReachSearch::CReachSearch(const CPointTree& tree)
    : m_tree(tree), m_left(std::size_t(tree.NodeIdLimit()), 0), m_taken(std::size_t(tree.Size()), false)
{
    if (tree.Size() > 0)
        Count(tree.Root());
}

int CReachSearch::Count(const CPointTree::Node& node)
{
    int& left = m_left[std::size_t(node.id)];
    left = node.last - node.first;
    if (!CPointTree::IsLeaf(node)) {
        Count(m_tree.Child(node, 0));
        Count(m_tree.Child(node, 1));
    }
    return left;
}

void CReachSearch::Take(int slot)
{
    if (Taken(slot))
        return;
    m_taken[std::size_t(slot)] = true;
    for (CPointTree::Node node = m_tree.Root();; ) {
        --m_left[std::size_t(node.id)];
        if (CPointTree::IsLeaf(node))
            return;
        int middle = node.first + (node.last - node.first) / 2;
        node = m_tree.Child(node, slot >= middle ? 1 : 0);
    }
}

void CReachSearch::TakeWithin(const CMapDisc& disc, std::vector<int>& taken)
{
    if (m_tree.Size() > 0)
        Walk(m_tree.Root(), disc, false, taken);
}

int CReachSearch::Walk(const CPointTree::Node& node, const CMapDisc& disc, bool whole, std::vector<int>& taken)
{
    int& left = m_left[std::size_t(node.id)];
    if (left == 0)
        return 0;
    if (!whole) {
        CMapDisc::Overlap overlap = disc.Of(node.box);
        if (overlap == CMapDisc::Overlap::None)
            return 0;
        whole = overlap == CMapDisc::Overlap::Whole;
    }
    int count = 0;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot) {
            if (Taken(slot) || !(whole || disc.Contains(m_tree.At(slot))))
                continue;
            m_taken[std::size_t(slot)] = true;
            taken.push_back(slot);
            ++count;
        }
    } else {
        count = Walk(m_tree.Child(node, 0), disc, whole, taken) + Walk(m_tree.Child(node, 1), disc, whole, taken);
    }
    left -= count;
    return count;
}

int CReachSearch::NearestLeft(CPoint p, CMapDisc::Wide& distanceSquared) const
{
    int best = -1;
    distanceSquared = ~CMapDisc::Wide(0);
    if (m_tree.Size() > 0)
        Nearest(m_tree.Root(), CMapDisc::Squared(p, 0), best, distanceSquared);
    return best;
}

void CReachSearch::Nearest(const CPointTree::Node& node, const CMapDisc& from, int& best,
                           CMapDisc::Wide& bestSquared) const
{
    if (m_left[std::size_t(node.id)] == 0 || from.NearestSquared(node.box) >= bestSquared)
        return;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot) {
            CMapDisc::Wide d = from.DistanceSquared(m_tree.At(slot));
            if (!Taken(slot) && d < bestSquared) {
                best = slot;
                bestSquared = d;
            }
        }
        return;
    }
    // The half nearer the point first: its best prunes more of the other.
    CPointTree::Node low = m_tree.Child(node, 0), high = m_tree.Child(node, 1);
    if (from.NearestSquared(high.box) < from.NearestSquared(low.box))
        std::swap(low, high);
    Nearest(low, from, best, bestSquared);
    Nearest(high, from, best, bestSquared);
}
