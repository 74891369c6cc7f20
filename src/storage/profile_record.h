// A profile as stored in t_profile_data; its id is the profile number of every other table.
#pragma once

#include "lumoui/base/cstring.h"

struct ProfileRecord {
    int profile = 0;
    CString name{};
    int status = 0;  // 1 for the stored active profile
    CString app{};
    int type = 0;

    bool operator==(const ProfileRecord&) const = default;
};
