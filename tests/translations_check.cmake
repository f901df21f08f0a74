# Every catalogue of po/help and po/desktop translates exactly the texts of its
# sources: a source text without a translation (or with a fuzzy one) fails, and
# so does a translation of a text the sources no longer have. The sources' texts
# are read the way the build reads them.
#
#   cmake -D PROJECT_SOURCE_DIR=<src> -D WORK=<scratch folder> -P translations_check.cmake

include(${PROJECT_SOURCE_DIR}/cmake/translations.cmake)
find_program(PO4A_UPDATEPO po4a-updatepo REQUIRED)
find_program(XGETTEXT xgettext REQUIRED)
find_program(MSGCAT msgcat REQUIRED)
find_program(MSGCMP msgcmp REQUIRED)
find_file(METAINFO_ITS metainfo.its PATHS /usr/share/gettext/its REQUIRED NO_DEFAULT_PATH)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "${out}")
  endif()
endfunction()

set(help_templates)
foreach(document IN LISTS ZOREKS_HELP_SOURCES)
  zoreks_po4a_format(${document} format)
  run(${PO4A_UPDATEPO} ${format} -M UTF-8 -m docs/${document} -p ${WORK}/${document}.pot)
  list(APPEND help_templates ${WORK}/${document}.pot)
endforeach()
run(${MSGCAT} ${help_templates} -o ${WORK}/help.pot)
run(${XGETTEXT} -L Desktop -o ${WORK}/entry.pot data/ru.zoreks.Zoreks.desktop.in)
run(${XGETTEXT} --its=${METAINFO_ITS} -o ${WORK}/metainfo.pot data/ru.zoreks.Zoreks.metainfo.xml.in)
run(${MSGCAT} ${WORK}/entry.pot ${WORK}/metainfo.pot -o ${WORK}/desktop.pot)

foreach(part help desktop)
  zoreks_po_languages(${part} languages)
  foreach(language IN LISTS languages)
    set(catalogue po/${part}/${language}.po)
    run(${MSGCMP} ${catalogue} ${WORK}/${part}.pot)  # every text translated
    run(${MSGCMP} --use-untranslated ${WORK}/${part}.pot ${catalogue})  # nothing translated in vain
  endforeach()
endforeach()
