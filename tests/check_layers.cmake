# Fails when a layer includes one above it. The layers, from the bottom: src/core (the numbers,
# the finance library, the settings file), src/help (the help file reader), src/ui (the
# windows' logic) and src/qt (the toolkit's front end). Only src/qt includes Qt.
set(forbidden_core "help|ui|qt")
set(forbidden_help "ui|qt")
set(forbidden_ui "qt")
set(offenders "")
foreach(layer IN ITEMS core help ui)
  file(GLOB_RECURSE sources ${ROOT}/src/${layer}/*)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX
         "^[ \t]*#[ \t]*include[ \t]*(<(Q[A-Za-z]|qt|Qt)|\"(${forbidden_${layer}})/)")
    if(lines)
      list(APPEND offenders "${source}: ${lines}")
    endif()
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "Includes that run up the layers:\n${offenders}")
endif()
message(STATUS "ok: core includes nothing of help, ui or qt; help nothing of ui or qt; ui nothing "
               "of qt; no Qt header below src/qt")
