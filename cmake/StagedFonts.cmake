# The font files of the program folder, taken from Debian's font packages at build time:
# - font/SourceHanSansCN-Regular.otf, the face the toolkit registers under its default face
#   name "SourceHanSansCN-Regular": Open Sans Regular (fonts-open-sans, SIL Open Font
#   License), a humanist sans like the Latin of that face; the interface is English and
#   French, so a face without CJK glyphs serves.
# - lumoui-resources/106.ttf, the toolkit's own font resource: Open Sans Semibold.
find_file(BRIMLOW_OPEN_SANS_REGULAR OpenSans-Regular.ttf
    PATHS /usr/share/fonts/truetype/open-sans NO_DEFAULT_PATH)
find_file(BRIMLOW_OPEN_SANS_SEMIBOLD OpenSans-Semibold.ttf
    PATHS /usr/share/fonts/truetype/open-sans NO_DEFAULT_PATH)
if(NOT BRIMLOW_OPEN_SANS_REGULAR OR NOT BRIMLOW_OPEN_SANS_SEMIBOLD)
    message(FATAL_ERROR "Open Sans not found: install fonts-open-sans (scripts/install-deps.sh)")
endif()

set(STAGED_PROGRAM_FONT ${BRIMLOW_OUT_DIR}/font/SourceHanSansCN-Regular.otf)
set(STAGED_TOOLKIT_FONT ${BRIMLOW_OUT_DIR}/lumoui-resources/106.ttf)
add_custom_command(OUTPUT ${STAGED_PROGRAM_FONT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIMLOW_OUT_DIR}/font
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BRIMLOW_OPEN_SANS_REGULAR} ${STAGED_PROGRAM_FONT}
    DEPENDS ${BRIMLOW_OPEN_SANS_REGULAR}
    COMMENT "Staging the program's font"
    VERBATIM)
add_custom_command(OUTPUT ${STAGED_TOOLKIT_FONT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIMLOW_OUT_DIR}/lumoui-resources
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BRIMLOW_OPEN_SANS_SEMIBOLD} ${STAGED_TOOLKIT_FONT}
    DEPENDS ${BRIMLOW_OPEN_SANS_SEMIBOLD}
    COMMENT "Staging the toolkit's font"
    VERBATIM)
add_custom_target(staged_fonts DEPENDS ${STAGED_PROGRAM_FONT} ${STAGED_TOOLKIT_FONT})
add_dependencies(program_folder staged_fonts)
