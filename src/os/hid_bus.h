// The bus a HID interface is attached to, numbered as hidapi numbers it.
#pragma once

enum class HidBus : int { Unknown = 0, Usb = 1, Bluetooth = 2, I2c = 3, Spi = 4 };
