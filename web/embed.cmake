cmake_minimum_required(VERSION 3.25)
# Makes the page template of kestrin-render: page.html with the style
# sheet and the JavaScript modules written into it, the modules joined into
# one inline module script in dependency order with their import lines
# and export keywords taken out (they share one scope in the page, so no
# two modules may declare the same top-level name; the node tests check
# it). The result is a C++ source defining kWebPageTemplate.
#
# cmake -DPAGE=page.html -DSTYLE=page.css -DMODULES="a.js|b.js" -DOUTPUT=x.cpp -P embed.cmake

file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
string(REPLACE "|" ";" modules "${MODULES}")
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
  get_filename_component(name "${module}" NAME)
  string(APPEND script "// ---- ${name}\n${text}\n")
endforeach()
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "a page module holds </script")
endif()
string(REPLACE "/*@STYLE@*/" "${style}" page "${page}")
string(REPLACE "//@SCRIPT@" "${script}" page "${page}")
string(FIND "${page}" ")KESTRIN_PAGE\"" delimiter)
if(NOT delimiter EQUAL -1)
  message(FATAL_ERROR "the page holds the delimiter of its C++ string")
endif()
file(WRITE "${OUTPUT}.new"
  "// Made by web/embed.cmake from the files in web/; do not edit.\n"
  "extern const char* const kWebPageTemplate;\n"
  "const char* const kWebPageTemplate = R\"KESTRIN_PAGE(${page})KESTRIN_PAGE\";\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
