#include "device/udev_rules.h"

#include <cstdio>
#include <set>
#include <utility>

std::string FormatUdevRules(const std::vector<MatchEntry>& entries) {
    std::string rules =
        "# Lets the logged-in user open the keyboards of the device catalogue through hidraw.\n"
        "# Generated from config.xml; install into /etc/udev/rules.d/.\n";
    std::set<std::pair<int, int>> written;
    for (const MatchEntry& entry : entries) {
        if (entry.vendorId < 0 || entry.vendorId > 0xFFFF || entry.productId < 0 ||
            entry.productId > 0xFFFF || !written.insert({entry.vendorId, entry.productId}).second) {
            continue;
        }
        char rule[128];
        std::snprintf(rule, sizeof rule,
                      "SUBSYSTEM==\"hidraw\", KERNELS==\"*:%04X:%04X.*\", TAG+=\"uaccess\"\n",
                      entry.vendorId, entry.productId);
        rules += rule;
    }
    return rules;
}
