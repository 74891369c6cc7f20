#include "device/sim/simulated_keyboard_identity.h"

std::vector<SimulatedInterface> StandardKeyboardInterfaces() {
    return {
        {0, 0x0001, 0x0006, SimulatedInterfaceRole::SystemKeyboard, false},
        {2, 0xFF01, 0x0001, SimulatedInterfaceRole::Vendor, true},
        {3, 0xFF01, 0x0001, SimulatedInterfaceRole::Auxiliary, true},
    };
}

SimulatedKeyboardIdentity SimulatedK201(int connectionMode) {
    SimulatedKeyboardIdentity identity;
    if (connectionMode != 0) {
        identity.productId = 0x3C4E;
        identity.product = L"Brimlow K201 Wireless";
    }
    identity.interfaces = StandardKeyboardInterfaces();
    return identity;
}
