// The animated picture: frames advance every fifth animation tick while it runs; a still image
// cannot run.
#include <filesystem>

#include "core_test_support.h"
#include "lumoui/core/c_gif_picture.h"

namespace coretest {
namespace {

using LumoUI::CGifPicture;
using GifPictureTest = CoreTest;

TEST_F(GifPictureTest, AStillImageCannotRun) {
    ScopedAppFolder app;
    app.WriteSkin("still.png", 20, 20);
    TestDialog dlg;
    dlg.Open();
    auto* gif = static_cast<CGifPicture*>(
        dlg.CreateControl(L"CGifPicture", 1, CRect(0, 0, 20, 20), L"", 1, 1));
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->IsRunTimer(), 1);
    ASSERT_EQ(gif->SetImage(L"still.png", 1), 1);
    EXPECT_EQ(gif->GetFrameCount(), 1);
    EXPECT_EQ(gif->SetRunState(1, 0), 0);
    EXPECT_FALSE(gif->IsAnimate());
}

TEST_F(GifPictureTest, ARunningPictureShowsANewFrameEveryFiveTicks) {
    ScopedAppFolder app;
    app.folder.WriteFile("skins/theme1/.keep", "");
    std::filesystem::copy_file(std::string(BRIMLOW_FIXTURES_DIR) + "/gfx/two_frames.gif",
                               app.SkinPath("two.gif"));
    TestDialog dlg;
    const HWND hwnd = dlg.Open();
    auto* gif = static_cast<CGifPicture*>(
        dlg.CreateControl(L"CGifPicture", 1, CRect(10, 10, 50, 50), L"", 1, 1));
    ASSERT_EQ(gif->SetImage(L"two.gif", 4), 1);
    ASSERT_EQ(gif->GetFrameCount(), 2);
    gif->AddMTimer();
    dlg.SetMTimer(10);
    display->AdvanceTime(50);
    EXPECT_EQ(gif->GetActiveFrame(), 0) << "not running yet";

    ASSERT_EQ(gif->SetRunState(1, 0), 1);
    EXPECT_TRUE(gif->IsAnimate());
    display->AdvanceTime(40);
    EXPECT_EQ(gif->GetActiveFrame(), 0);
    display->AdvanceTime(10);
    EXPECT_EQ(gif->GetActiveFrame(), 1) << "the fifth tick";
    Pump();
    LumoUI::HeadlessFrame frame;
    ASSERT_TRUE(display->GetFrame(hwnd, 0, &frame));
    EXPECT_EQ(frame.image.Color(30, 15), 0xFF00FF00u) << "the second frame, stretched";
    display->AdvanceTime(50);
    EXPECT_EQ(gif->GetActiveFrame(), 0) << "wraps";

    ASSERT_EQ(gif->SetRunState(0, 1), 1);
    display->AdvanceTime(100);
    EXPECT_EQ(gif->GetActiveFrame(), 1) << "stopped on the chosen frame";
    Pump();
    ASSERT_TRUE(display->GetFrame(hwnd, 0, &frame));
    EXPECT_EQ(frame.image.Color(30, 15), 0xFF00FF00u);
}

}  // namespace
}  // namespace coretest
