// A catalogue consumer that keeps only the match entries, for the tools that need to know
// which interfaces the catalogue names (hidlist, the udev rules).
#pragma once

#include <vector>

#include "device/catalogue_consumer.h"

class MatchEntryCollector : public CatalogueConsumer {
public:
    void AddKeyboardRow(const CString&, int) override {}
    void AddMatchEntry(const MatchEntry& entry) override { entries.push_back(entry); }
    void SetVersionText(const CString&) override {}
    void SetLegalText(const CString&) override {}

    std::vector<MatchEntry> entries;
};
