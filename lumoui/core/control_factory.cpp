#include "lumoui/core/control_factory.h"

#include <map>
#include <mutex>

namespace LumoUI {

namespace {

struct Makers {
    std::mutex lock;
    std::map<std::wstring_view, ControlMaker> byName;
};

// Made on first use: registrations run while the library's static objects are built.
Makers& TheMakers() {
    static Makers makers;
    return makers;
}

}  // namespace

bool RegisterControlClass(const wchar_t* name, ControlMaker make) {
    const int index = name != nullptr ? FindControlClass(name) : -1;
    if (index < 0 || make == nullptr) {
        return false;
    }
    Makers& m = TheMakers();
    std::lock_guard guard(m.lock);
    return m.byName.emplace(kControlClasses[index].name, make).second;
}

std::unique_ptr<MControl> ConstructControl(ControlFactory factory, const ControlRequest& r) {
    if (r.className == nullptr || r.className[0] == 0) {
        return nullptr;
    }
    const int index = FindControlClass(r.className);
    if (index < 0) {
        return nullptr;
    }
    const ControlClass& c = kControlClasses[index];
    if (!(factory == ControlFactory::kWindow ? c.window : c.container)) {
        return nullptr;
    }
    ControlMaker make = nullptr;
    {
        Makers& m = TheMakers();
        std::lock_guard guard(m.lock);
        if (auto it = m.byName.find(c.name); it != m.byName.end()) {
            make = it->second;
        }
    }
    return make != nullptr ? make(r) : nullptr;
}

}  // namespace LumoUI
