# Source lists come from the folders themselves: a new file in a module folder is part of its
# target without editing a list, and parallel work on different modules never touches one file.

# All *.cpp files below the given folders (recursively), excluding the listed file names.
function(brimlow_glob_sources out)
    cmake_parse_arguments(ARG "" "" "DIRS;EXCLUDE" ${ARGN})
    set(result)
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND result ${found})
    endforeach()
    foreach(name IN LISTS ARG_EXCLUDE)
        list(FILTER result EXCLUDE REGEX "/${name}$")
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# add_subdirectory for every folder below `parent` that has a CMakeLists.txt.
function(brimlow_add_subdirectories parent)
    file(GLOB children CONFIGURE_DEPENDS LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/${parent}/*)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# An executable of the program folder (tools, helper programs): placed beside brimlow and
# finding liblumoui.so there.
function(brimlow_program_folder_executable target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${BRIMLOW_OUT_DIR}
        BUILD_WITH_INSTALL_RPATH ON
        INSTALL_RPATH "$ORIGIN")
endfunction()
