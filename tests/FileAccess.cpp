// SPDX-License-Identifier: MIT
#include "FileAccess.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
};

constexpr __u32 kFileOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool Get(Capabilities& caps)
{
    return ::syscall(SYS_capget, &caps.header, caps.data) == 0;
}

bool Set(Capabilities& caps)
{
    return ::syscall(SYS_capset, &caps.header, caps.data) == 0;
}

} // namespace

PermissionBitsApply::PermissionBitsApply()
{
    if (::geteuid() != 0) {
        m_active = true;
        return;
    }
    Capabilities caps;
    if (!Get(caps))
        return;
    caps.data[0].effective &= ~kFileOverrides;
    m_dropped = m_active = Set(caps);
}

PermissionBitsApply::~PermissionBitsApply()
{
    if (!m_dropped)
        return;
    Capabilities caps;
    if (Get(caps)) {
        caps.data[0].effective |= caps.data[0].permitted & kFileOverrides;
        Set(caps);
    }
}
