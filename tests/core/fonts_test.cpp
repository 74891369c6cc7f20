// The faces of a window: the private fonts of the font folder registered at Init, the
// toolkit's own font, and the rule that toolkit text always uses the toolkit-wide face.
#include <filesystem>

#include "core_test_support.h"
#include "lumoui/core/manager.h"

namespace coretest {
namespace {

using FontsTest = CoreTest;

const std::string kStagedFace = std::string(BRIMLOW_OUT_DIR) + "/font/SourceHanSansCN-Regular.otf";

// Restores the toolkit-wide face a test changes.
class ScopedFaceName {
public:
    ScopedFaceName() : saved_(LumoUI::Manager::GetFontName()) {}
    ~ScopedFaceName() { LumoUI::Manager::SetFontName(saved_); }

private:
    CString saved_;
};

TEST_F(FontsTest, TheFontFolderFaceIsRegisteredAndServesWhateverFaceIsAskedFor) {
    ScopedAppFolder app;
    app.folder.WriteFile("font/.keep", "");
    std::filesystem::copy_file(kStagedFace, app.folder / "font/SourceHanSansCN-Regular.otf");
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    for (const wchar_t* asked : {L"SourceHanSansCN-Regular", L"Arial", L""}) {
        const std::optional<LumoUI::FontFamily> family = pm.FindTempFont(asked);
        ASSERT_TRUE(family) << WideToUtf8(asked);
        EXPECT_EQ(family->GetFamilyName(), L"Open Sans") << "the staged file's face";
    }
    dlg.DestroyWindow();
    Pump();
    EXPECT_FALSE(pm.FindTempFont(L"Arial")) << "the registry is emptied with the window";
}

TEST_F(FontsTest, WithoutTheFaceFileAnInstalledFaceOrNothingIsFound) {
    ScopedAppFolder app;
    ScopedFaceName restore;
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    EXPECT_FALSE(pm.FindTempFont(L"Open Sans")) << "the default face is not installed";
    LumoUI::Manager::SetFontName(L"DejaVu Sans");
    const std::optional<LumoUI::FontFamily> installed = pm.FindTempFont(L"Something else");
    ASSERT_TRUE(installed);
    EXPECT_EQ(installed->GetFamilyName(), L"DejaVu Sans");
}

TEST_F(FontsTest, TheToolkitFontResourceIsUsableByItsFaceName) {
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.AddGDITempFont(LumoUI::PaintManager::kFontResource), 1);
    EXPECT_EQ(pm.AddGDITempFont(999), 0) << "no such resource";
    const std::optional<LumoUI::FontFamily> semibold =
        pm.AddTempFont(L"Toolkit", LumoUI::PaintManager::kFontResource);
    ASSERT_TRUE(semibold);
    EXPECT_TRUE(LumoUI::FontFamily::Installed(semibold->GetFamilyName()));
    EXPECT_FALSE(pm.AddTempFont(L"None", L"/nonexistent.ttf"));
}

}  // namespace
}  // namespace coretest
