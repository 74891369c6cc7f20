#include "app/startup.h"

#include <cstdio>

#include "app/language.h"
#include "device/catalogue_reader.h"
#include "lumoui/core/manager.h"
#include "os/folders.h"
#include "os/single_instance.h"

using LumoUI::Manager;

int RunBrimlow(int /*argc*/, char** /*argv*/) {
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

    const CString dataFolder = GetUserDataFolder();
    CreateFolderPath(dataFolder + L"db");

    std::printf("%s started: language %d, user data in %s\n", WideToUtf8(name).c_str(),
                CurrentLanguage.load(), WideToUtf8(dataFolder).c_str());
    return 0;
}
