# Writes the compiled-in code tables from code_tables.tsv, the one list of every Vietnamese letter
# outside ASCII with its TCVN3 byte and VNI Windows bytes (the host tests read the same file).
#   cmake -DTABLE=<code_tables.tsv> -DHEADER_IN=<code_table_data.h.in> -DOUT_DIR=<folder> -P code_tables.cmake
# Writes OUT_DIR/code_table_data.h and OUT_DIR/code_table_data.cpp, rows sorted by code point.
foreach(var TABLE HEADER_IN OUT_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "code_tables.cmake: ${var} is not set")
    endif()
endforeach()

file(STRINGS "${TABLE}" lines ENCODING UTF-8)
list(POP_FRONT lines) # the header row
set(rows)
foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    if(NOT line MATCHES "^([^\t]+)\tU\\+([0-9A-F][0-9A-F][0-9A-F][0-9A-F])\t([0-9A-F][0-9A-F])\t([0-9A-F][0-9A-F])( ([0-9A-F][0-9A-F]))?$")
        message(FATAL_ERROR "${TABLE}: cannot read \"${line}\"")
    endif()
    set(letter "${CMAKE_MATCH_1}")
    set(code "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_6)
        set(vni "{0x${CMAKE_MATCH_4}, 0x${CMAKE_MATCH_6}}, 2")
    else()
        set(vni "{0x${CMAKE_MATCH_4}, 0x00}, 1")
    endif()
    # Four upper-case hex digits sort as text in the order of their values.
    list(APPEND rows "${code}|    {0x${code}, 0x${CMAKE_MATCH_3}, ${vni}}, // ${letter}\n")
endforeach()
list(SORT rows)
list(LENGTH rows glyph_count)

set(body "")
set(previous "")
foreach(row IN LISTS rows)
    string(REGEX MATCH "^[0-9A-F]+" code "${row}")
    if(code STREQUAL previous)
        message(FATAL_ERROR "${TABLE}: U+${code} is listed twice")
    endif()
    set(previous "${code}")
    string(REGEX REPLACE "^[0-9A-F]+\\|" "" row "${row}")
    string(APPEND body "${row}")
endforeach()

configure_file("${HEADER_IN}" "${OUT_DIR}/code_table_data.h" @ONLY)
file(CONFIGURE OUTPUT "${OUT_DIR}/code_table_data.cpp" CONTENT
"// Made by the build from lurcore/core/code_tables.tsv: edit that file, not this one.
#include \"lurcore/core/code_table_data.h\"

namespace lurcore::core {

const std::array<Glyph, ${glyph_count}> kGlyphs = {{
${body}}};

} // namespace lurcore::core
")
