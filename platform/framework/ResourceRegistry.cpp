// SPDX-License-Identifier: MIT
#include "platform/framework/ResourceRegistry.h"

namespace {
CResourceSet& Registered()
{
    static CResourceSet set;
    return set;
}
} // namespace

void AfxSetResources(const CResourceSet& resources) { Registered() = resources; }
const CResourceSet& AfxGetResources() { return Registered(); }

std::string AfxLoadString(int id)
{
    return Registered().string ? Registered().string(id) : std::string();
}
