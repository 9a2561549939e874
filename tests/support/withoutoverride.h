#pragma once
// Tests of files and folders the user may not write run as root too: root
// writes wherever it likes through its override of file permissions, which
// this drops for the calling thread while it lives (nothing to drop for
// anyone else).

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        dropped_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (dropped_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool dropped_ = false;
};
