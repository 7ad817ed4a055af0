# Run by the windows-zip target (cmake -P, in STAGE): lays out the folder
# and zips it.
set(top ${STAGE}/lexiforge)
file(REMOVE_RECURSE ${top})
file(MAKE_DIRECTORY ${top}/dic/ipadic ${top}/licenses)

string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  file(COPY ${program} DESTINATION ${top})
endforeach()

foreach(name char.bin dicrc matrix.bin sys.dic unk.dic)
  if(NOT EXISTS ${IPADIC}/${name})
    message(FATAL_ERROR "no IPA dictionary in ${IPADIC} (${name} missing): install mecab-ipadic-utf8")
  endif()
  file(REAL_PATH ${IPADIC}/${name} real)
  file(COPY_FILE ${real} ${top}/dic/ipadic/${name})
endforeach()
file(COPY_FILE /usr/share/doc/mecab-ipadic/copyright ${top}/licenses/ipadic-copyright.txt)

if(EXISTS ${SKK})
  file(REAL_PATH ${SKK} real)
  file(COPY_FILE ${real} ${top}/dic/SKK-JISYO.L)
  file(COPY_FILE /usr/share/doc/skkdic/copyright ${top}/licenses/skkdic-copyright.txt)
else()
  message(WARNING "${SKK} not found: the package has no SKK dictionary")
endif()

file(COPY_FILE ${UNIDIC} ${top}/dic/unidic-readings.txt)
file(COPY_FILE ${SOURCE}/third_party/unidic/LICENSE ${top}/licenses/unidic-LICENSE.txt)

foreach(name COPYING BSD GPL LGPL)
  file(COPY_FILE ${SOURCE}/third_party/mecab/${name} ${top}/licenses/mecab-${name}.txt)
endforeach()
# In Japanese, UTF-8 with a byte order mark and CR LF, kept so in the
# repository (.gitattributes): Notepad shows it whatever the system's locale.
file(COPY_FILE ${SOURCE}/packaging/README.txt ${top}/README.txt)
# The sample word lists the README points to.
file(COPY ${SOURCE}/samples DESTINATION ${top})

file(REMOVE ${ZIP})
file(ARCHIVE_CREATE OUTPUT ${ZIP} PATHS lexiforge FORMAT zip)
