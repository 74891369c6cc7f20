#include "lumoui/gfx/font_family.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "lumoui/gfx/graphics.h"
#include "pixel_probe.h"
#include "support/temp_folder.h"

namespace LumoUI {
namespace {

const char kOpenSansPath[] = "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf";

void ReplaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at)) {
        bytes.replace(at, from.size(), to);
        at += to.size();
    }
}

std::string Utf16Be(const std::string& ascii) {
    std::string out;
    for (const char c : ascii) {
        out.push_back('\0');
        out.push_back(c);
    }
    return out;
}

// A copy of Open Sans whose family is renamed to `family` (as long as "Open Sans"), so it is
// a face no installed font answers to.
std::string RenamedOpenSans(const std::string& family) {
    std::string bytes = ReadFileBytes(kOpenSansPath).value();
    ReplaceAll(bytes, "Open Sans", family);
    ReplaceAll(bytes, Utf16Be("Open Sans"), Utf16Be(family));
    return bytes;
}

// A family name of this process, so no other run has registered it.
std::string UniqueFamily() {
    std::string digits = std::to_string(100000 + getpid() % 100000).substr(1);
    return "Brim" + digits;
}

Bitmap Render(const Font& font) {
    Bitmap bitmap(300, 40);
    Graphics g(bitmap);
    g.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
    g.DrawString(L"Hamburgefonstiv 0123", font, PointF(2, 2), 0xFFFFFFFF);
    return bitmap;
}

TEST(FontFamilyTest, PrivateFontFileIsUsedByNameOnceRegistered) {
    TempFolder folder;
    const std::string family = UniqueFamily();
    folder.WriteFile("private.ttf", RenamedOpenSans(family));
    const CString name = Utf8ToWide(family);

    EXPECT_FALSE(FontFamily::Installed(name));
    // Before registration the name falls back to another face.
    const Bitmap before = Render(Font(name, 18));

    const auto registered = FontFamily::FromFile(Utf8ToWide(folder / "private.ttf"));
    ASSERT_TRUE(registered);
    EXPECT_EQ(registered->GetFamilyName(), name);
    const Bitmap byFamily = Render(Font(*registered, 18));
    const Bitmap byName = Render(Font(name, 18));
    const Bitmap openSans = Render(Font(L"Open Sans", 18));
    EXPECT_FALSE(gfx_test::SamePixels(before, byFamily));
    EXPECT_TRUE(gfx_test::SamePixels(byFamily, openSans));
    EXPECT_TRUE(gfx_test::SamePixels(byName, openSans));

    // Found by name from now on, without regard to case, also on other threads.
    EXPECT_TRUE(FontFamily::Installed(Utf8ToWide("brim" + family.substr(4))));
    bool sameOnThread = false;
    std::thread([&] {
        sameOnThread = gfx_test::SamePixels(Render(Font(name, 18)), openSans);
    }).join();
    EXPECT_TRUE(sameOnThread);

    // Registering the file again gives the same family.
    EXPECT_EQ(FontFamily::FromFile(Utf8ToWide(folder / "private.ttf")), registered);
}

TEST(FontFamilyTest, InstalledFamiliesAreFoundByName) {
    const auto dejaVu = FontFamily::Installed(L"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    EXPECT_EQ(dejaVu->GetFamilyName(), L"DejaVu Sans");
    EXPECT_TRUE(FontFamily::Installed(L"dejavu sans"));
    EXPECT_FALSE(FontFamily::Installed(L"No Such Face 4711"));
    EXPECT_FALSE(FontFamily::Installed(L""));
}

TEST(FontFamilyTest, FileOfAnInstalledFaceGivesItsFamily) {
    const auto family = FontFamily::FromFile(gfx_test::kDejaVuSansPath);
    ASSERT_TRUE(family);
    EXPECT_EQ(family->GetFamilyName(), L"DejaVu Sans");
}

TEST(FontFamilyTest, MissingOrBrokenFilesAreRefused) {
    TempFolder folder;
    folder.WriteFile("broken.ttf", std::string(200, 'x'));
    folder.WriteFile("empty.ttf", "");
    EXPECT_FALSE(FontFamily::FromFile(Utf8ToWide(folder / "broken.ttf")));
    EXPECT_FALSE(FontFamily::FromFile(Utf8ToWide(folder / "empty.ttf")));
    EXPECT_FALSE(FontFamily::FromFile(Utf8ToWide(folder / "missing.ttf")));
    EXPECT_FALSE(FontFamily::FromFile(Utf8ToWide(folder.Path())));
    EXPECT_FALSE(FontFamily::FromFile(L""));
}

}  // namespace
}  // namespace LumoUI
