# SPDX-License-Identifier: MIT
# Writes OUTPUT, a C++ file defining `const char* const NAME[]` with the text
# of each SVG file of FILES, so the pictures travel inside the program. Run at
# configure time; the files are configure dependencies, so editing one
# rebuilds.
function(kestrin_embed_svgs output name)
  set(body "// Made by the build from res/icons/; edit the SVG files, not this.\n\n")
  string(APPEND body "extern const char* const ${name}[];\n")
  string(APPEND body "const char* const ${name}[] = {\n")
  foreach(file ${ARGN})
    file(READ ${file} text)
    if(text MATCHES "\\)svg\"")
      message(FATAL_ERROR "${file} holds the text that would end its C++ string")
    endif()
    string(APPEND body "    R\"svg(${text})svg\",\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  endforeach()
  string(APPEND body "};\n")
  # Rewritten only when it changes, so an unrelated re-configure rebuilds nothing.
  set(old "")
  if(EXISTS ${output})
    file(READ ${output} old)
  endif()
  if(NOT old STREQUAL body)
    file(WRITE ${output} "${body}")
  endif()
endfunction()
