# Script mode: copies DATA_DIR into OUT_DIR (unchanged files are skipped) and makes the folders
# that the program expects in its program folder.
foreach(folder driver firmware font skins/theme1 layouts language)
    file(MAKE_DIRECTORY ${OUT_DIR}/${folder})
endforeach()
if(IS_DIRECTORY ${DATA_DIR})
    # Tables that only the build reads (the text table of the language files) stay behind.
    file(COPY ${DATA_DIR}/ DESTINATION ${OUT_DIR} PATTERN "*.tsv" EXCLUDE)
endif()
