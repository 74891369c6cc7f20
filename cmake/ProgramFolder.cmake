# The program_folder target assembles build/<config>/out: the files of data/ copied beside the
# executable, and the folders the program expects there. Other parts of the build (generated
# skins, staged fonts, udev rules) add themselves as dependencies of this target.
add_custom_target(program_folder ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory
            ${BRIMLOW_OUT_DIR}/driver ${BRIMLOW_OUT_DIR}/firmware ${BRIMLOW_OUT_DIR}/font
            ${BRIMLOW_OUT_DIR}/skins/theme1 ${BRIMLOW_OUT_DIR}/layouts ${BRIMLOW_OUT_DIR}/language
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${BRIMLOW_OUT_DIR}
    COMMENT "Assembling the program folder"
    VERBATIM)
