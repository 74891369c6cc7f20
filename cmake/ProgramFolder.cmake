# The program_folder target assembles build/<config>/out: the files of data/ copied beside the
# executable, and the folders the program expects there. Other parts of the build (generated
# skins, staged fonts, udev rules) add themselves as dependencies of this target.
add_custom_target(program_folder ALL
    COMMAND ${CMAKE_COMMAND} -DDATA_DIR=${PROJECT_SOURCE_DIR}/data -DOUT_DIR=${BRIMLOW_OUT_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/AssembleProgramFolder.cmake
    COMMENT "Assembling the program folder"
    VERBATIM)
include(StagedFonts)
