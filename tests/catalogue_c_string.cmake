# milfo_c_string (catalogue/catalogue.cmake) on a table of texts: each as it
# must stand between the quotes of a C++ string literal.
# cmake -DCATALOGUE=catalogue/catalogue.cmake -P tests/catalogue_c_string.cmake
include(${CATALOGUE})
set(failures 0)
# Each row: the text, then what it becomes, separated by a tab.
set(rows
  "plain\tplain"
  "Heat \"loss\"\tHeat \\\"loss\\\""
  "C:\\path\tC:\\\\path"
  "\\\"\t\\\\\\\""
  "保温「設計」\t保温「設計」"
  "ends in \\\tends in \\\\")
set(n 0)
foreach(row IN LISTS rows)
  math(EXPR n "${n} + 1")
  string(FIND "${row}" "\t" tab)
  string(SUBSTRING "${row}" 0 ${tab} text)
  math(EXPR tab "${tab} + 1")
  string(SUBSTRING "${row}" ${tab} -1 expected)
  milfo_c_string(got "${text}")
  if(NOT got STREQUAL expected)
    message("milfo_c_string(${text}) is ${got}, not ${expected}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${n} texts, ${failures} wrong")
endif()
message(STATUS "${n} texts, all right")
