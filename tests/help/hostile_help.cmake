# Writes and compiles a help file whose start page asks the page view for too much: COUNT nested
# elements of KIND ("tables" or "lists"), then an ordinary page that links to it.
#   cmake -DKIND=tables -DCOUNT=3000 -DWORK=<scratch folder> -DOUTPUT=<.chm to write>
#         -DCOMPILE_HELP=<tools/compile_help.cmake> -P hostile_help.cmake
foreach(variable KIND COUNT WORK OUTPUT COMPILE_HELP)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "hostile_help.cmake needs -D${variable}=...")
  endif()
endforeach()

if(KIND STREQUAL "tables")
  set(opening "<table border=\"1\"><tr><td>x")
  set(closing "</td></tr></table>")
elseif(KIND STREQUAL "lists")
  set(opening "<ul><li>x")
  set(closing "</li></ul>")
else()
  message(FATAL_ERROR "unknown KIND ${KIND}")
endif()
string(REPEAT "${opening}" ${COUNT} openings)
string(REPEAT "${closing}" ${COUNT} closings)

set(sources "${WORK}/sources")
file(REMOVE_RECURSE "${sources}")
file(WRITE "${sources}/html Docs/hostile.htm"
     "<html><head><title>Hostile ${KIND}</title></head><body>${openings}${closings}</body></html>\n")
file(WRITE "${sources}/html Docs/ordinary.htm"
     "<html><head><title>Ordinary</title></head><body><p>An ordinary page that links to "
     "<a href=\"hostile.htm\">the hostile one</a>.</p></body></html>\n")
file(WRITE "${sources}/Hostile.hhc"
     "<html><body><ul>\n"
     "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Hostile\">"
     "<param name=\"Local\" value=\"html Docs/hostile.htm\"></object>\n"
     "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Ordinary\">"
     "<param name=\"Local\" value=\"html Docs/ordinary.htm\"></object>\n"
     "</ul></body></html>\n")
file(WRITE "${sources}/Hostile.hhp"
     "[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=Hostile.chm\n"
     "Contents file=Hostile.hhc\nDefault topic=html Docs\\hostile.htm\n"
     "Display compile progress=No\nTitle=Hostile\n\n"
     "[FILES]\nhtml Docs\\hostile.htm\nhtml Docs\\ordinary.htm\n")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -DSOURCES=${sources} -DPROJECT_FILE=Hostile.hhp
          -DWORK=${WORK}/compiled -DOUTPUT=${OUTPUT} -P "${COMPILE_HELP}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "compiling the ${KIND} help file failed")
endif()
