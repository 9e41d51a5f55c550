# Compiles lurhelp.chm. Run as:
#   cmake -DSRC=<help dir> -DWORK=<staging dir> -DOUT=<path of the .chm> -DCHMCMD=<chmcmd> -DICONV=<iconv>
#         -DVERSION=<the program's version> -P build_chm.cmake
#
# The pages stay UTF-8 (each says so in its <meta>). The contents and index files are read by the
# help viewer in the code page of the project's language (0x42a, Vietnamese: windows-1258), so they
# are converted here. The title is kept in plain ASCII because viewers show it through the system's
# ANSI code page, whatever the help's language. @LUR_VERSION@ in a page becomes the version.
foreach(var SRC WORK OUT CHMCMD ICONV VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "build_chm.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB pages "${SRC}/*.html" "${SRC}/*.css")
file(COPY ${pages} "${SRC}/lurhelp.hhp" DESTINATION "${WORK}")
foreach(page ${pages})
  get_filename_component(name "${page}" NAME)
  file(READ "${WORK}/${name}" text)
  string(REPLACE "@LUR_VERSION@" "${VERSION}" text "${text}")
  file(WRITE "${WORK}/${name}" "${text}")
endforeach()

foreach(sitemap lurhelp.hhc lurhelp.hhk)
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t WINDOWS-1258 "${SRC}/${sitemap}"
                  OUTPUT_FILE "${WORK}/${sitemap}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "iconv could not convert ${sitemap} to windows-1258 (${rc})")
  endif()
endforeach()

# chmcmd leaves a partial file behind when it fails, so only a clean run is copied out.
execute_process(COMMAND "${CHMCMD}" lurhelp.hhp
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/lurhelp.chm" OR log MATCHES "Warning|Error")
  message(FATAL_ERROR "chmcmd failed (${rc}):\n${log}")
endif()
get_filename_component(outdir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${outdir}")
file(COPY_FILE "${WORK}/lurhelp.chm" "${OUT}")
