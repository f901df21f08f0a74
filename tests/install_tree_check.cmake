# Installs the build into a scratch DESTDIR and checks that every file lands in
# its place, and that the desktop entry is valid and starts the program in the
# folder that holds the installed help documents.
#
#   cmake -D BUILD_DIR=... -D STAGE=... -D PREFIX=... -D BINDIR=... -D DATADIR=... -D MANDIR=...
#         -D PROGRAMS="zoreks;..." -P install_tree_check.cmake

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)

file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR}
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(root ${STAGE}${PREFIX})
set(docs_dir ${DATADIR}/zoreks)
set(expected
  ${docs_dir}/spravka.pdf
  ${docs_dir}/uprav.pdf
  ${docs_dir}/instruction.txt
  ${docs_dir}/spravka.en.pdf
  ${docs_dir}/uprav.en.pdf
  ${docs_dir}/instruction.en.txt
  ${docs_dir}/lesson-file.md
  ${docs_dir}/lesson-file.schema.json
  ${DATADIR}/icons/hicolor/scalable/apps/ru.zoreks.Zoreks.svg
  ${DATADIR}/icons/hicolor/48x48/apps/ru.zoreks.Zoreks.png
  ${DATADIR}/applications/ru.zoreks.Zoreks.desktop
  ${DATADIR}/metainfo/ru.zoreks.Zoreks.metainfo.xml
  ${DATADIR}/mime/packages/ru.zoreks.Zoreks.xml)
foreach(program IN LISTS PROGRAMS)
  list(APPEND expected ${BINDIR}/${program} ${MANDIR}/man1/${program}.1.gz ${MANDIR}/ru/man1/${program}.1.gz)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${root}/${file})
    message(SEND_ERROR "not installed: ${PREFIX}/${file}")
  endif()
endforeach()

set(desktop ${root}/${DATADIR}/applications/ru.zoreks.Zoreks.desktop)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR out MATCHES "error:")
  message(SEND_ERROR "the desktop entry does not validate:\n${out}")
endif()
file(STRINGS ${desktop} path_line ENCODING UTF-8 REGEX "^Path=")
if(NOT path_line STREQUAL "Path=${PREFIX}/${docs_dir}")
  message(SEND_ERROR "the desktop entry's ${path_line} is not the documents' folder ${PREFIX}/${docs_dir}")
endif()
