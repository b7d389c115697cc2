# cmake -DSRC=<data/help> -DWORK=<scratch folder> -DOUT=<KIROHelp.chm> -DCHMCMD=<chmcmd> -DICONV=<iconv> -P MakeHelp.cmake
# Compiles the help pages into one CHM file. The project, contents and index files are GBK in the
# compiled file (the code page of its language, Chinese (PRC)); the pages say their own charset.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/images")

file(GLOB pages RELATIVE "${SRC}" "${SRC}/*.html" "${SRC}/*.css" "${SRC}/images/*.png")
list(SORT pages)
foreach(page IN LISTS pages)
  configure_file("${SRC}/${page}" "${WORK}/${page}" COPYONLY)
endforeach()

file(READ "${SRC}/KIROHelp.hhp" project)
string(APPEND project "[FILES]\n")
foreach(page IN LISTS pages)
  string(APPEND project "${page}\n")
endforeach()
file(WRITE "${WORK}/KIROHelp.utf8.hhp" "${project}")

foreach(pair "KIROHelp.utf8.hhp;KIROHelp.hhp" "${SRC}/toc.hhc;toc.hhc" "${SRC}/index.hhk;index.hhk")
  list(GET pair 0 from)
  list(GET pair 1 to)
  if(NOT IS_ABSOLUTE "${from}")
    set(from "${WORK}/${from}")
  endif()
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t GBK "${from}" OUTPUT_FILE "${WORK}/${to}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not turn ${from} into GBK")
  endif()
endforeach()
file(REMOVE "${WORK}/KIROHelp.utf8.hhp")

execute_process(COMMAND "${CHMCMD}" --no-html-scan KIROHelp.hhp WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/KIROHelp.chm")
  message(FATAL_ERROR "chmcmd failed:\n${log}")
endif()
get_filename_component(dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
file(COPY_FILE "${WORK}/KIROHelp.chm" "${OUT}.new")
file(RENAME "${OUT}.new" "${OUT}")
