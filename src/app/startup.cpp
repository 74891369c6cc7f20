#include "app/startup.h"

#include <cstdio>
#include <string_view>

#include "app/language.h"
#include "device/catalogue_reader.h"
#include "device/hid_device_manager.h"
#include "device/sim/simulated_hid_backend.h"
#include "lumoui/core/manager.h"
#include "lumoui/core/module_resources.h"
#include "lumoui/win/window_backend.h"
#include "os/folders.h"
#include "os/single_instance.h"

using LumoUI::Manager;

int RunBrimlow(int argc, char** argv) {
    // --simulate: the program talks to a simulated keyboard instead of the HID devices.
    // --headless: no display, even where DISPLAY names one.
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--simulate") {
            HidDeviceManager::Instance().SetBackend(MakeSimulatedKeyboardBackend());
        }
        headless = headless || std::string_view(argv[i]) == "--headless";
    }
    LumoUI::SelectDefaultWindowBackend(headless);

    // The program's name comes from the catalogue; without one the toolkit's default stays.
    CString catalogueName;
    if (ReadProgramName(CatalogueFilePath(), catalogueName)) {
        Manager::SetDeviceName(catalogueName);
    }
    const CString name = Manager::GetDeviceName();

    // Held until the process ends: a second copy finds it taken and leaves.
    static SingleInstanceLock instanceLock;
    if (!instanceLock.Acquire(name)) {
        std::printf("%s is already running.\n", WideToUtf8(name).c_str());
        return 0;
    }

    SettleLanguage();

    // Windows and images load the program's own resources from this module.
    Manager::SetInstance(LumoUI::GetProgramModule());

    const CString dataFolder = GetUserDataFolder();
    CreateFolderPath(dataFolder + L"db");

    std::printf("%s started: language %d, user data in %s\n", WideToUtf8(name).c_str(),
                CurrentLanguage.load(), WideToUtf8(dataFolder).c_str());
    return 0;
}
