# The translations: po/<part>/<language>.po, one catalogue for each language of
# a part. The build finds the languages from the files present, so that a new
# language is a new catalogue and nothing else.

# zoreks_po_languages(PART OUT): the languages of po/PART, sorted.
function(zoreks_po_languages part out)
  set(rescan CONFIGURE_DEPENDS)  # a build sees a catalogue added later
  if(CMAKE_SCRIPT_MODE_FILE)
    set(rescan)  # a script reads the folder once
  endif()
  file(GLOB catalogues ${rescan} ${PROJECT_SOURCE_DIR}/po/${part}/*.po)
  set(languages)
  foreach(catalogue IN LISTS catalogues)
    get_filename_component(language ${catalogue} NAME_WE)
    list(APPEND languages ${language})
  endforeach()
  list(SORT languages)
  set(${out} ${languages} PARENT_SCOPE)
endfunction()

# The help documents, written in Russian, and how po4a reads each: the HTML
# pages as XHTML with their style sheet left alone, the plain text paragraph by
# paragraph with its lines and indents kept as the translator writes them.
set(ZOREKS_HELP_SOURCES spravka.html uprav.html instruction.txt)
function(zoreks_po4a_format document out)
  if(document MATCHES "[.]html$")
    set(${out} -f xhtml -o "untranslated=<style>" PARENT_SCOPE)
  else()
    set(${out} -f text -o neverwrap -o nobullets PARENT_SCOPE)
  endif()
endfunction()

# zoreks_translated_help(FOLDER LANGUAGES_OUT): build steps that write each
# help document in each language of po/help to FOLDER/<language>/, under its
# own name; an HTML page names its language in <html lang>. Where a text has no
# translation yet, po4a keeps the Russian (the completeness test reports it).
function(zoreks_translated_help folder languages_out)
  find_program(ZOREKS_PO4A_TRANSLATE po4a-translate REQUIRED)
  zoreks_po_languages(help languages)
  foreach(language IN LISTS languages)
    set(catalogue ${PROJECT_SOURCE_DIR}/po/help/${language}.po)
    foreach(document IN LISTS ZOREKS_HELP_SOURCES)
      set(source ${PROJECT_SOURCE_DIR}/docs/${document})
      set(output ${folder}/${language}/${document})
      zoreks_po4a_format(${document} format)
      set(name_language)
      if(document MATCHES "[.]html$")
        string(REPLACE "_" "-" html_language ${language})  # pt_BR is pt-BR in HTML
        set(name_language COMMAND sed -i "s/^<html[^>]*>$/<html lang=\"${html_language}\">/" ${output})
      endif()
      add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${language}
        COMMAND ${ZOREKS_PO4A_TRANSLATE} ${format} -M UTF-8 -L UTF-8 -k 0 -m ${source} -p ${catalogue} -l ${output}
        ${name_language}
        DEPENDS ${source} ${catalogue}
        COMMENT "Translating ${document} into ${language}"
        VERBATIM)
    endforeach()
  endforeach()
  set(${languages_out} ${languages} PARENT_SCOPE)
endfunction()
