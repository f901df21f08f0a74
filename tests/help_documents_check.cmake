# Checks the help documents beside the program: both PDFs open, have pages and
# carry their headings as text (so the Cyrillic came through), uprav.pdf quotes
# every refusal of the calculation run word for word, and instruction.txt is there;
# the English translations of all three are there and translated.
#
#   cmake -D DOCS_DIR=<build>/bin -D REFUSALS_SOURCE=<src>/plot/calculation_run.cpp -P help_documents_check.cmake

find_program(PDFINFO pdfinfo REQUIRED)
find_program(PDFTOTEXT pdftotext REQUIRED)

# The text of a PDF in drawing order, every run of white space made one blank.
function(pdf_text pdf out)
  execute_process(COMMAND ${PDFINFO} ${pdf} OUTPUT_VARIABLE info ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${pdf} is not a readable PDF: ${err}")
  endif()
  if(NOT info MATCHES "Pages: +([0-9]+)" OR CMAKE_MATCH_1 LESS 1)
    message(FATAL_ERROR "${pdf} has no pages")
  endif()
  execute_process(COMMAND ${PDFTOTEXT} -raw -enc UTF-8 ${pdf} - OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pdftotext failed on ${pdf}")
  endif()
  string(ASCII 12 form_feed)  # between pages
  string(REGEX REPLACE "[ \t\r\n${form_feed}]+" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(expect_phrases document text)
  foreach(phrase IN LISTS ARGN)
    string(FIND "${text}" "${phrase}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "${document} lacks \"${phrase}\"")
    endif()
  endforeach()
endfunction()

pdf_text(${DOCS_DIR}/spravka.pdf spravka)
expect_phrases(spravka.pdf "${spravka}"
  "Зорекс. Справка" "1. Модель соленоида" "2. Поле на оси" "3. Поле вне оси: закон Био — Савара"
  "4. Построение силовых линий" "5. Графики" "«поле на оси Hz(z)»" "«линии напряженности»"
  "Направление и трубки потока")

pdf_text(${DOCS_DIR}/uprav.pdf uprav)
expect_phrases(uprav.pdf "${uprav}"
  "Зорекс. Управление" "2. Элементы управления" "3. Меню" "4. Когда программа отказывается считать"
  "5. Программа командной строки zoreks-render" "время расчета")

file(STRINGS ${REFUSALS_SOURCE} refusal_lines ENCODING UTF-8 REGEX "return (Message\\()?\"[^\"]+\"\\)?;")
if(NOT refusal_lines)
  message(FATAL_ERROR "no refusal texts found in ${REFUSALS_SOURCE}; this check reads them from its return statements")
endif()
foreach(line IN LISTS refusal_lines)
  string(REGEX REPLACE ".*return (Message\\()?\"([^\"]+)\"\\)?;.*" "\\2" refusal "${line}")
  expect_phrases(uprav.pdf "${uprav}" "«${refusal}»")
endforeach()

if(NOT EXISTS ${DOCS_DIR}/instruction.txt)
  message(FATAL_ERROR "instruction.txt is missing from ${DOCS_DIR}")
endif()
file(READ ${DOCS_DIR}/instruction.txt instruction)
expect_phrases(instruction.txt "${instruction}" "Зорекс" "«расчет»" "spravka.pdf" "uprav.pdf")

# The English documents: the same pages with every text translated.
pdf_text(${DOCS_DIR}/spravka.en.pdf spravka_en)
expect_phrases(spravka.en.pdf "${spravka_en}" "Зорекс. Reference" "3. The field off the axis: the Biot–Savart law")
pdf_text(${DOCS_DIR}/uprav.en.pdf uprav_en)
expect_phrases(uprav.en.pdf "${uprav_en}" "Зорекс. Controls" "4. When the program refuses to calculate")
file(READ ${DOCS_DIR}/instruction.en.txt instruction_en)
expect_phrases(instruction.en.txt "${instruction_en}" "“Calculate”" "spravka.en.pdf" "uprav.en.pdf")
