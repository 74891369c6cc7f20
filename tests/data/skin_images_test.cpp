// The skin images that the build draws into the program folder, against their table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "data/image_files.h"
#include "support/temp_folder.h"
#include "tools/common/tsv_file.h"

namespace {

using namespace image_files;

TEST(SkinImagesTest, EveryTableImageIsInTheSkinFolderWithItsFrames) {
    const auto rows = ReadTsvFile(BRIMLOW_SOURCE_DIR "/tools/skingen/images.tsv", 6);
    ASSERT_TRUE(rows.has_value());
    ASSERT_FALSE(rows->empty());
    for (const TsvRow& row : *rows) {
        const std::string& name = row.cells[0];
        SCOPED_TRACE(name);
        const int frame_width = ParsePositiveInt(row.cells[1]).value_or(0);
        const int frame_height = ParsePositiveInt(row.cells[2]).value_or(0);
        const int frames = ParsePositiveInt(row.cells[3]).value_or(0);
        const std::string& arrangement = row.cells[4];
        const auto bytes = ReadFileBytes(std::string(BRIMLOW_OUT_DIR) + "/skins/theme1/" + name);
        ASSERT_TRUE(bytes.has_value());
        if (arrangement == "strip" || arrangement == "stack") {
            const Size size = PngSize(*bytes);
            const bool strip = arrangement == "strip";
            EXPECT_EQ(size, (Size{frame_width * (strip ? frames : 1),
                                  frame_height * (strip ? 1 : frames)}));
            // The toolkit cuts frames by integer division: they must divide the image evenly.
            EXPECT_EQ((strip ? size.width : size.height) % frames, 0);
        } else if (arrangement == "gif") {
            const GifFacts gif = ReadGif(*bytes);
            EXPECT_EQ(gif.size, (Size{frame_width, frame_height}));
            EXPECT_EQ(gif.frames, frames);
            EXPECT_TRUE(gif.complete);
        } else if (arrangement == "ico") {
            std::vector<int> expected;
            std::istringstream list(row.cells.size() > 6 ? row.cells[6] : "");
            for (std::string item; std::getline(list, item, ',');) {
                expected.push_back(ParsePositiveInt(item).value_or(0));
            }
            EXPECT_EQ(IcoSizes(*bytes), expected);
        } else {
            ADD_FAILURE() << "unknown arrangement " << arrangement;
        }
    }
}

}  // namespace
