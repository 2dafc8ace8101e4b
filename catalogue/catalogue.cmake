# Reads catalogue/programs.tsv, the one list of the suite's programs, into
# MILFO_PROGRAMS (the row numbers, in menu order) and, for each row I,
# MILFO_PROGRAM_I_NAME, _TARGET, _MENU, _TITLE, _DESCRIPTION, _COMMENT,
# _COMMENT_JA; MILFO_PROGRAM_I_CAPTION is the window caption the menu number
# gives ("ミルフォ－１．１．８"), made here only: the menu entries show it, and
# the C++ catalogue gives it to the program's description. Included by the top
# level, so that apps/, packaging/ and the C++ catalogue all read the same rows.
set(MILFO_CATALOGUE ${CMAKE_CURRENT_LIST_DIR}/programs.tsv)

# A text as it goes between the double quotes of a C++ string literal: its
# backslashes and double quotes escaped.
function(milfo_c_string out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MILFO_CATALOGUE})

set(MILFO_PROGRAMS)
file(STRINGS ${MILFO_CATALOGUE} milfo_catalogue_lines ENCODING UTF-8)
set(milfo_row 0)
foreach(line IN LISTS milfo_catalogue_lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 7)
    message(FATAL_ERROR "${MILFO_CATALOGUE}: a row of ${count} fields, not 7: ${line}")
  endif()
  math(EXPR milfo_row "${milfo_row} + 1")
  list(APPEND MILFO_PROGRAMS ${milfo_row})
  set(i 0)
  foreach(key NAME TARGET MENU TITLE DESCRIPTION COMMENT COMMENT_JA)
    list(GET fields ${i} value)
    set(MILFO_PROGRAM_${milfo_row}_${key} "${value}")
    math(EXPR i "${i} + 1")
  endforeach()
  # The caption: the menu number in full-width digits and full stops.
  set(number "${MILFO_PROGRAM_${milfo_row}_MENU}")
  foreach(pair "0;０" "1;１" "2;２" "3;３" "4;４" "5;５" "6;６" "7;７" "8;８" "9;９" ".;．")
    list(GET pair 0 from)
    list(GET pair 1 to)
    string(REPLACE "${from}" "${to}" number "${number}")
  endforeach()
  set(MILFO_PROGRAM_${milfo_row}_CAPTION "ミルフォ－${number}")
endforeach()
list(LENGTH MILFO_PROGRAMS MILFO_PROGRAM_COUNT)
