# The reading proposer's dictionaries, taken from Debian's packages
# (mecab-ipadic-utf8, skkdic) and from the table of UniDic's readings kept
# in third_party/unidic/, and lexiforge_stage_dictionaries(), which lays them
# out beside the programs built in the calling folder as a Windows user has
# them beside lexiforge.exe: dic/ipadic/, dic/SKK-JISYO.L and
# dic/unidic-readings.txt. The build folders get links to the installed
# files and to the table unpacked once into the build tree; the zip gets
# copies (cmake/WindowsPackage.cmake).
set(LEXIFORGE_IPADIC_DIR /var/lib/mecab/dic/ipadic-utf8 CACHE PATH "The compiled IPA dictionary (UTF-8)")
set(LEXIFORGE_SKK_FILE /usr/share/skk/SKK-JISYO.L CACHE FILEPATH "SKK-JISYO.L")

set(LEXIFORGE_UNIDIC_ARCHIVE ${PROJECT_SOURCE_DIR}/third_party/unidic/unidic-readings.tar.xz)
set(LEXIFORGE_UNIDIC_FILE ${CMAKE_BINARY_DIR}/unidic/unidic-readings.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LEXIFORGE_UNIDIC_ARCHIVE})
file(ARCHIVE_EXTRACT INPUT ${LEXIFORGE_UNIDIC_ARCHIVE} DESTINATION ${CMAKE_BINARY_DIR}/unidic)
if(NOT EXISTS ${LEXIFORGE_UNIDIC_FILE})
  message(FATAL_ERROR "${LEXIFORGE_UNIDIC_ARCHIVE} holds no unidic-readings.txt")
endif()

function(lexiforge_stage_dictionaries)
  set(dic ${CMAKE_CURRENT_BINARY_DIR}/dic)
  file(MAKE_DIRECTORY ${dic})
  if(EXISTS ${LEXIFORGE_IPADIC_DIR}/sys.dic)
    file(CREATE_LINK ${LEXIFORGE_IPADIC_DIR} ${dic}/ipadic SYMBOLIC)
  else()
    message(WARNING "no IPA dictionary in ${LEXIFORGE_IPADIC_DIR}: install mecab-ipadic-utf8 (scripts/install-deps.sh)")
  endif()
  if(EXISTS ${LEXIFORGE_SKK_FILE})
    file(CREATE_LINK ${LEXIFORGE_SKK_FILE} ${dic}/SKK-JISYO.L SYMBOLIC)
  else()
    message(WARNING "no ${LEXIFORGE_SKK_FILE}: install skkdic (scripts/install-deps.sh)")
  endif()
  file(CREATE_LINK ${LEXIFORGE_UNIDIC_FILE} ${dic}/unidic-readings.txt SYMBOLIC)
endfunction()
