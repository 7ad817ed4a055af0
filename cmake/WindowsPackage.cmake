# lexiforge-windows.zip: the two programs, the dictionaries as the proposer
# finds them beside the program (dic/), the licences, the sample word lists
# and a README in Japanese.
# The dictionaries are copied from Debian's packages at build time
# (cmake/Dictionaries.cmake); SKK's is left out when skkdic is not installed.

file(GLOB samples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*)
set(stage ${CMAKE_BINARY_DIR}/lexiforge-windows)
set(zip ${CMAKE_BINARY_DIR}/lexiforge-windows.zip)
file(MAKE_DIRECTORY ${stage})
add_custom_command(
  OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND}
          -DSTAGE=${stage} -DZIP=${zip}
          -DPROGRAMS=$<TARGET_FILE:lexiforge>|$<TARGET_FILE:lexiforge-cli>
          -DIPADIC=${LEXIFORGE_IPADIC_DIR} -DSKK=${LEXIFORGE_SKK_FILE} -DUNIDIC=${LEXIFORGE_UNIDIC_FILE}
          -DSOURCE=${PROJECT_SOURCE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/stage_windows_package.cmake
  DEPENDS lexiforge lexiforge-cli ${PROJECT_SOURCE_DIR}/cmake/stage_windows_package.cmake ${LEXIFORGE_UNIDIC_ARCHIVE}
          ${PROJECT_SOURCE_DIR}/packaging/README.txt ${samples}
  WORKING_DIRECTORY ${stage}
  COMMENT "Packing lexiforge-windows.zip"
  VERBATIM)
add_custom_target(windows-zip DEPENDS ${zip})
