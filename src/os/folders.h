// The program's folders: where it is installed and where it keeps the user's data.
#pragma once

#include "lumoui/base/cstring.h"

// The folder of the running executable, ending with '/'.
CString GetProgramFolder();

// <user data home>/<program name> Files/, with the program name made safe as one path component.
CString GetUserDataFolder();

// Creates the folder and every missing folder above it. True when the folder exists afterwards.
bool CreateFolderPath(const CString& path);
