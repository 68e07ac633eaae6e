# Compiles the help sources into the .chm file with fp-utils' chmcmd.
#   cmake -DSOURCES=<folder with the .hhp> -DPROJECT_FILE=CalcHelp.hhp -DWORK=<scratch folder>
#         -DOUTPUT=<.chm to write> -P compile_help.cmake
# chmcmd writes beside the .hhp, so the sources are copied to WORK first. It exits 0 on some
# errors (an undefined anchor), so any "Error" line it prints fails the build too.
foreach(variable SOURCES PROJECT_FILE WORK OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "compile_help.cmake needs -D${variable}=...")
  endif()
endforeach()

find_program(CHMCMD chmcmd REQUIRED)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SOURCES}/" DESTINATION "${WORK}")
execute_process(COMMAND "${CHMCMD}" "${PROJECT_FILE}"
                WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
# chmcmd keys an anchor that a sitemap names by its path ("html Docs/a.htm#x") but the anchors it
# finds in a page by the page's file name alone ("a.htm#x"), so it reports every place that the
# index names on a page in a folder as undefined. The help tests check those places instead.
string(REGEX REPLACE "Error: Anchor [^\n]* undefined; first use Site Map[^\n]*" "" checked
       "${output}")
string(REGEX MATCHALL "[^\n]*Error[^\n]*" errors "${checked}")
if(NOT result EQUAL 0 OR errors)
  message(FATAL_ERROR "chmcmd failed (exit ${result}):\n${output}")
endif()
string(REGEX REPLACE "\\.hhp$" ".chm" compiled "${PROJECT_FILE}")
if(NOT EXISTS "${WORK}/${compiled}")
  message(FATAL_ERROR "chmcmd wrote no ${compiled}:\n${output}")
endif()
file(COPY_FILE "${WORK}/${compiled}" "${OUTPUT}")
