# The environment the build runs the developer tools in. In sanitizer builds they run under the
# leak checker, which is told about the font libraries' lifelong caches.
set(TOOL_ENVIRONMENT
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tools/common/lsan.supp:print_suppressions=0)
