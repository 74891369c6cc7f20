# The environment the build runs the developer tools in. In sanitizer builds they run under the
# leak checker, with the suppressions of the tests (fontconfig's caches look unreachable to it).
set(TOOL_ENVIRONMENT
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0)
