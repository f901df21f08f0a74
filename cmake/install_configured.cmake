# zoreks_install_configured(SOURCE DESTINATION [RENAME NAME] [GZIP])
#
# Installs a file that names where the program is installed: the desktop entry
# and the manual pages point at the folder of the help documents. That place is
# known only when installing (cmake --install --prefix, or the package's /usr),
# so the file is configured then, with @ONLY: @ZOREKS_DOCS_DIR@ becomes the
# installed documents' folder and @PROJECT_VERSION@ the version. GZIP installs
# it compressed, as NAME.gz, the way manual pages and changelogs are kept.
find_program(ZOREKS_GZIP gzip REQUIRED)

function(zoreks_install_configured source destination)
  cmake_parse_arguments(PARSE_ARGV 2 arg "GZIP" "RENAME" "")
  get_filename_component(source ${source} ABSOLUTE)
  get_filename_component(name ${source} NAME)
  if(arg_RENAME)
    set(name ${arg_RENAME})
  endif()
  # Files of one name (the same page in two languages) are staged apart.
  string(MAKE_C_IDENTIFIER "${destination}" folder)
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/install-time/${folder}/${name})
  set(staged ${configured})
  set(compress "")
  if(arg_GZIP)
    # -n: no name or time stamp in the header, so that equal pages give equal files.
    set(compress "
      execute_process(COMMAND [[${ZOREKS_GZIP}]] -9nf [[${configured}]] COMMAND_ERROR_IS_FATAL ANY)")
    string(APPEND staged .gz)
  endif()
  install(CODE "
    cmake_path(APPEND CMAKE_INSTALL_PREFIX [[${CMAKE_INSTALL_DATADIR}]] zoreks OUTPUT_VARIABLE ZOREKS_DOCS_DIR)
    set(PROJECT_VERSION [[${PROJECT_VERSION}]])
    configure_file([[${source}]] [[${configured}]] @ONLY)${compress}
    cmake_path(APPEND CMAKE_INSTALL_PREFIX [[${destination}]] OUTPUT_VARIABLE destination)
    file(INSTALL [[${staged}]] DESTINATION \"\${destination}\")")
endfunction()
