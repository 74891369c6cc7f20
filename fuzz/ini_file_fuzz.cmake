brimlow_add_fuzzer(ini_file_fuzz DIRS lumoui/base/utf8.cpp src/os/ini_file.cpp)
