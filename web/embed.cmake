# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Makes the web page's parts for kestrin-render: page.html with the style
# sheet and the first script (BOOT) written into it, and the page's code
# (MODULES), which the writer deflates with the map. Each script is its
# modules joined in dependency order with their import lines and export
# keywords taken out (they share one scope in the page, so no two modules
# may declare the same top-level name; the node tests check it). Lines
# that hold only a comment and the indentation of every line are left out:
# the page is read by browsers, the sources by people. The result is a C++
# source defining kWebPageTemplate and kWebPageCode.
#
# cmake -DPAGE=page.html -DSTYLE=page.css -DBOOT="a.js|b.js" -DMODULES="c.js|d.js" -DOUTPUT=x.cpp -P embed.cmake

file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
function(join_modules list out)
  string(REPLACE "|" ";" modules "${list}")
  set(script "")
  foreach(module IN LISTS modules)
    file(READ "${module}" text)
    # One import per line, as the modules write them.
    string(REGEX REPLACE "(^|\n)import [^\n]*" "\\1" text "${text}")
    string(REGEX REPLACE "(^|\n)export \\{[^\n]*" "\\1" text "${text}")
    string(REGEX REPLACE "(^|\n)export " "\\1" text "${text}")
    string(REGEX REPLACE "\n[ ]+" "\n" text "${text}")
    string(REGEX REPLACE "(^|\n)//[^\n]*" "" text "${text}")
    string(REGEX REPLACE "\n\n+" "\n" text "${text}")
    string(APPEND script "${text}\n")
  endforeach()
  string(FIND "${script}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "a page module holds </script")
  endif()
  set(${out} "${script}" PARENT_SCOPE)
endfunction()

join_modules("${BOOT}" boot)
join_modules("${MODULES}" code)
string(REPLACE "/*@STYLE@*/" "${style}" page "${page}")
string(REPLACE "//@SCRIPT@" "${boot}" page "${page}")
string(FIND "${page}${code}" ")KESTRIN_PAGE\"" delimiter)
if(NOT delimiter EQUAL -1)
  message(FATAL_ERROR "the page holds the delimiter of its C++ string")
endif()
file(WRITE "${OUTPUT}.new"
  "// Made by web/embed.cmake from the files in web/; do not edit.\n"
  "extern const char* const kWebPageTemplate;\n"
  "const char* const kWebPageTemplate = R\"KESTRIN_PAGE(${page})KESTRIN_PAGE\";\n"
  "extern const char* const kWebPageCode;\n"
  "const char* const kWebPageCode = R\"KESTRIN_PAGE(${code})KESTRIN_PAGE\";\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
