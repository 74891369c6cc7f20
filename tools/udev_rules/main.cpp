// brimlow_udev_rules <config.xml> <rules file>: writes the udev rules for the keyboards of a
// device catalogue.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "device/catalogue_reader.h"
#include "device/match_entry_collector.h"
#include "device/udev_rules.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <config.xml> <rules file>\n", argv[0]);
        return 2;
    }
    DeviceCatalogue catalogue;
    MatchEntryCollector collector;
    if (!LoadCatalogue(Utf8ToWide(argv[1]), catalogue, collector)) {
        std::fprintf(stderr, "%s: cannot read the catalogue %s\n", argv[0], argv[1]);
        return 1;
    }
    const std::filesystem::path output(argv[2]);
    std::error_code error;
    std::filesystem::create_directories(output.parent_path(), error);
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file << FormatUdevRules(collector.entries);
    file.close();
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
