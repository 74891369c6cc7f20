// Images of a window: the skin-path cache with its first-count rule and retries, state strips,
// one decode per window, the resources of the toolkit and of the program, and icon files.
#include "core_test_support.h"
#include "lumoui/core/m_control_font.h"
#include "lumoui/core/m_image_list.h"
#include "lumoui/core/m_render.h"
#include "lumoui/core/manager.h"
#include "lumoui/core/module_resources.h"

namespace coretest {
namespace {

using LumoUI::ImgResInfo;
using LumoUI::MControlFont;
using ResourcesTest = CoreTest;

class Picture : public MControlFont {
public:
    Picture(MObject* parent, UINT id, CRect rect) : MControlFont(parent, id, rect, L"", 1, 1, 1) {}
    void DrawControl(HDC&, CRect) override {}
};

TEST_F(ResourcesTest, TheFirstRequestSetsTheFrameWidthAndAFailedLoadIsTriedAgain) {
    ScopedAppFolder app;
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.AddImgResInfo(L"btn_checkbox.png", 4), nullptr) << "not there yet";
    app.WriteSkin("btn_checkbox.png", 100, 20);
    const ImgResInfo* first = pm.AddImgResInfo(L"btn_checkbox.png", 4);
    ASSERT_NE(first, nullptr) << "tried again";
    EXPECT_EQ(first->frameWidth, 25);
    EXPECT_EQ(first->height, 20);
    const ImgResInfo* second = pm.AddImgResInfo(L"btn_checkbox.png", 2);
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->frameWidth, 25) << "the first count stays";
    EXPECT_EQ(pm.AddImgResInfo(L"BTN_CHECKBOX.png", 4), nullptr) << "paths are case-sensitive";
}

TEST_F(ResourcesTest, AStateStripIsCutIntoFramesOfTheWholeWidthDividedByTheCount) {
    ScopedAppFolder app;
    app.WriteSkin("strip4.png", 100, 30);
    app.WriteSkin("strip3.png", 100, 30);
    TestDialog dlg;
    Picture* four = nullptr;
    Picture* three = nullptr;
    dlg.build = [&](TestDialog& d) {
        Picture loose(nullptr, 9, CRect());
        EXPECT_EQ(loose.SetImage(L"strip4.png", 4), 0) << "no paint manager yet";
        EXPECT_EQ(loose.GetImage(), nullptr);
        four = d.Add<Picture>(1, CRect(0, 0, 25, 30));
        three = d.Add<Picture>(2, CRect(0, 40, 33, 70));
    };
    dlg.Open();
    ASSERT_EQ(four->SetImage(L"strip4.png", 4), 1);
    ASSERT_EQ(three->SetImage(L"strip3.png", 3), 1);
    EXPECT_EQ(four->GetImageSize(), CSize(25, 30));
    EXPECT_EQ(four->GetFrameRect(3), CRect(75, 0, 100, 30));
    EXPECT_EQ(three->GetImageSize(), CSize(33, 30));
    EXPECT_EQ(three->GetFrameRect(2), CRect(66, 0, 99, 30)) << "the last pixel is never shown";
}

TEST_F(ResourcesTest, EachWindowDecodesAnImageOnceForAllItsControls) {
    ScopedAppFolder app;
    app.WriteSkin("shared.png", 40, 10);
    const LumoUI::Image* images[2][2] = {};
    TestDialog dialogs[2];
    for (int w = 0; w < 2; ++w) {
        dialogs[w].Open();
        for (int c = 0; c < 2; ++c) {
            auto* picture = dialogs[w].Add<Picture>(c + 1, CRect(0, 0, 10, 10));
            ASSERT_EQ(picture->SetImage(L"shared.png", 4), 1);
            images[w][c] = picture->GetImage();
        }
    }
    EXPECT_EQ(images[0][0], images[0][1]);
    EXPECT_EQ(images[1][0], images[1][1]);
    EXPECT_NE(images[0][0], images[1][0]) << "one decode per window";
}

TEST_F(ResourcesTest, ToolkitAndProgramResourcesAreFoundByIdentifierAndType) {
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.GetScrollVID(), 102u);
    EXPECT_EQ(pm.GetScrollHID(), 101u);
    const ImgResInfo* vertical = pm.AddImgResInfo(102, L"PNG", 4, 0);
    ASSERT_NE(vertical, nullptr) << "shipped beside the library";
    EXPECT_EQ(CSize(vertical->frameWidth, vertical->height), CSize(7, 239));
    const ImgResInfo* horizontal = pm.AddImgResInfo(101, L"png", 1, 0);
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(CSize(horizontal->frameWidth, horizontal->height), CSize(22, 20));
    EXPECT_EQ(pm.AddImgResInfo(102, L"PNG", 4, 1), nullptr) << "the program has no 102";

    TempFolder resources;
    LumoUI::Bitmap icon(12, 6);
    icon.Clear(0xFF00FF00);
    resources.WriteFile("7.png", "");
    ASSERT_TRUE(icon.SavePng(Utf8ToWide(resources / "7.png")));
    LumoUI::SetModuleResourceFolder(LumoUI::GetProgramModule(), Utf8ToWide(resources.Path()));
    LumoUI::Manager::SetInstance(LumoUI::GetProgramModule());
    auto* picture = dlg.Add<Picture>(1, CRect(0, 0, 10, 10));
    EXPECT_EQ(picture->SetImage(7, L"PNG", 2), 1);
    EXPECT_EQ(picture->GetImageSize(), CSize(6, 6));
    EXPECT_EQ(picture->SetImage(8, L"PNG", 2), 0);
    EXPECT_EQ(dlg.LoadBKImage(7, L"PNG"), 1);
    LumoUI::Manager::SetInstance(nullptr);
    LumoUI::SetModuleResourceFolder(LumoUI::GetProgramModule(), L"");
    EXPECT_EQ(dlg.LoadBKImage(7, L"PNG"), 0) << "no program module";
}

TEST_F(ResourcesTest, AnIconFileGivesItsLargestPicture) {
    const std::unique_ptr<LumoUI::Image> icon = LumoUI::MRender::LoadIconFromFile(
        Utf8ToWide(std::string(BRIMLOW_OUT_DIR) + "/skins/theme1/Brimlow.ico"));
    ASSERT_NE(icon, nullptr);
    EXPECT_GE(icon->GetWidth(), 32);
    EXPECT_EQ(icon->GetWidth(), icon->GetHeight());
    EXPECT_NE(LumoUI::MRender::LoadIconFromFile(
                  Utf8ToWide(std::string(BRIMLOW_OUT_DIR) + "/lumoui-resources/101.png")),
              nullptr)
        << "any image file serves";
    EXPECT_EQ(LumoUI::MRender::LoadIconFromFile(L"/nonexistent.ico"), nullptr);
}

TEST(ImageListTest, ImagesAreKeptInOrderAndFoundByIdentifier) {
    ScopedAppFolder app;
    app.WriteSkin("icons.png", 60, 20, 0xFFFF0000);
    app.WriteSkin("one.png", 16, 16, 0xFF0000FF);
    LumoUI::MImageList list;
    EXPECT_EQ(list.AddImage(L"icons.png", 3, 10), 0);
    EXPECT_EQ(list.AddImage(L"missing.png", 1, 11), -1);
    EXPECT_EQ(list.InsertImage(0, L"one.png", 1, 12), 0);
    ASSERT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(list.FindIndex(10), 1);
    EXPECT_EQ(list.GetIconSize(1), CSize(20, 20));
    EXPECT_EQ(list.FindImage(11), nullptr);

    LumoUI::Bitmap target(40, 40);
    LumoUI::Graphics graphics(target);
    list.SetDrawImgSize(CSize(10, 10));
    list.DrawItemIcon(graphics, 1, 5, 5, 2);
    list.DrawItemIcon(graphics, 7, 0, 0);  // out of range: nothing
    EXPECT_EQ(target.GetPixel(9, 9), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(15, 15), 0u) << "drawn at the set size";
    list.DelAllImages();
    EXPECT_EQ(list.GetImageCount(), 0);
}

}  // namespace
}  // namespace coretest
