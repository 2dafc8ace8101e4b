# Texts of the catalogue as they go into the desktop entries and the
# AppStream metainfo, whatever characters a title, a comment or a program's
# name holds.

# A value of a desktop entry's string key: backslash, line breaks and tab
# escaped, a leading blank as \s.
function(milfo_desktop_string out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  if(text MATCHES "^ ")
    string(REGEX REPLACE "^ " "\\\\s" text "${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A program's name as the Exec key's one argument: in double quotes when it
# holds a character the key reserves (its ", `, $ and \ escaped there), every
# % doubled; then as any string value.
function(milfo_desktop_exec out text)
  string(REPLACE "%" "%%" text "${text}")
  if(text MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "`" "\\`" text "${text}")
    string(REPLACE "$" "\\$" text "${text}")
    set(text "\"${text}\"")
  endif()
  milfo_desktop_string(text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text in an XML element: &, < and > as entities.
function(milfo_xml_text out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
