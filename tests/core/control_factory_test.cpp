// Making controls by class name: which names each factory knows, and the arguments a made
// control gets.
#include "lumoui/core/control_factory.h"
#include "core_test_support.h"
#include "lumoui/core/c_area.h"

namespace coretest {
namespace {

using LumoUI::ControlFamily;
using LumoUI::MPanel;
using FactoryTest = CoreTest;

// Stands in for a container class that the factory knows but that is not built here.
class StandInContainer : public MControl {
public:
    StandInContainer(MObject* parent, UINT id, CRect rect, int visible)
        : MControl(parent, id, rect, visible, 1, 1) {}
    void DrawControl(HDC&, CRect) override {}
};

TEST_F(FactoryTest, EachFactoryMakesOnlyTheClassesItKnows) {
    // A class registers once; a second maker for a name is refused.
    LumoUI::RegisterControlClass(
        L"DListBox", &LumoUI::MakeControl<StandInContainer, LumoUI::ControlFamilyOf(L"DListBox")>);
    EXPECT_FALSE(LumoUI::RegisterControlClass(
        L"DListBox", &LumoUI::MakeControl<StandInContainer, LumoUI::ControlFamilyOf(L"DListBox")>));
    EXPECT_FALSE(LumoUI::RegisterControlClass(
        L"NoSuchClass", &LumoUI::MakeControl<StandInContainer, ControlFamily::kContainer>));

    TestDialog dlg;
    MPanel* page = nullptr;
    dlg.build = [&](TestDialog& d) { page = d.Add<MPanel>(50, CRect(0, 0, 200, 200), 1); };
    dlg.Open();
    // None where a factory does not know the name; classes that are known to one factory
    // only and built elsewhere are checked on the other one.
    const struct {
        const wchar_t* name;
        std::optional<bool> onDialog;
        bool onContainer;
    } cases[] = {
        {L"CArea", true, true},
        {L"CGifPicture", true, true},
        {L"DListBox", false, true},
        {L"BatteryCtrl", std::nullopt, false},
        {L"CComboBoxList", std::nullopt, false},
        {L"carea", false, false},  // names match exactly
        {L"NoSuchControl", false, false},
        {L"", false, false},
    };
    UINT id = 100;
    for (const auto& c : cases) {
        MControl* made = dlg.CreateControl(c.name, ++id, CRect(0, 0, 10, 10), L"", 1, 1);
        if (c.onDialog) {
            EXPECT_EQ(made != nullptr, *c.onDialog) << WideToUtf8(c.name);
        }
        MControl* inner = page->CreateControl(c.name, ++id, CRect(0, 0, 10, 10), L"", 1, 1);
        EXPECT_EQ(inner != nullptr, c.onContainer) << WideToUtf8(c.name);
        if (inner != nullptr) {
            EXPECT_EQ(inner->GetParantObject(), page);
            EXPECT_EQ(inner->GetManager(), &dlg.GetPaintManager());
            EXPECT_EQ(page->GetControl(id), inner);
        }
    }
    EXPECT_EQ(dlg.CreateControl(nullptr, 1, CRect(), L"", 1, 1), nullptr);
}

TEST_F(FactoryTest, MadeControlsTakeTheRequestedIdRectangleAndFlagsOfTheirFamily) {
    TestDialog dlg;
    dlg.Open();
    MControl* area = dlg.CreateArea(L"CArea", 7, CRect(1, 2, 30, 40), L"ignored", 0, 0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetControlID(), 7u);
    EXPECT_EQ(area->GetRect(), CRect(1, 2, 30, 40));
    EXPECT_EQ(area->IsVisible(), 0);
    EXPECT_EQ(area->IsEnabled(), 1) << "an area is always enabled";
    EXPECT_EQ(dlg.GetPaintManager().GetAreaControls().back().get(), area) << "the area layer";
    MControl* gif = dlg.CreateControl(L"CGifPicture", 8, CRect(0, 0, 5, 5), L"", 1, 0);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->IsEnabled(), 0) << "plain controls take the enabled flag";
    EXPECT_EQ(dlg.GetControls().back().get(), gif) << "the control layer";
}

}  // namespace
}  // namespace coretest
