// Symbol export for liblumoui.so: the library is built with hidden visibility, so every class
// and function that the program or the tests use is marked LUMOUI_API.
#pragma once

#define LUMOUI_API __attribute__((visibility("default")))
