# The product's names and version for the build: the names from engine/product_names.h, the version
# from project(). Sets LUR_<NAME> for each name there (LUR_PRODUCT_NAME, ...) and writes
#   generated/lur_version.h   the version for the resource script
#   generated/product.nsh     both for the installer's script and its test
# under the build folder.
set(lur_names_header ${PROJECT_SOURCE_DIR}/engine/product_names.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lur_names_header})
file(STRINGS ${lur_names_header} lur_name_lines REGEX "^#define LUR_")
set(LUR_PRODUCT_NSH ${CMAKE_BINARY_DIR}/generated/product.nsh)
set(lur_nsh "; Made by the build from engine/product_names.h and the project's version.\n")
foreach(line IN LISTS lur_name_lines)
    if(NOT line MATCHES "^#define LUR_([A-Z_]+) \"([^\"]+)\"")
        message(FATAL_ERROR "engine/product_names.h: cannot read \"${line}\"")
    endif()
    set(LUR_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    string(APPEND lur_nsh "!define ${CMAKE_MATCH_1} \"${CMAKE_MATCH_2}\"\n")
endforeach()
foreach(name PRODUCT_NAME SETTINGS_FOLDER)
    if(NOT LUR_${name})
        message(FATAL_ERROR "engine/product_names.h does not name LUR_${name}")
    endif()
endforeach()

# Versions have four numbers on Windows; the fourth, the build, is always 0.
if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "project(): VERSION must be major.minor.patch, not \"${PROJECT_VERSION}\"")
endif()
set(LUR_WINDOWS_VERSION "${PROJECT_VERSION}.0")
string(APPEND lur_nsh "!define VERSION \"${PROJECT_VERSION}\"\n!define WINDOWS_VERSION \"${LUR_WINDOWS_VERSION}\"\n")
file(CONFIGURE OUTPUT ${LUR_PRODUCT_NSH} CONTENT "${lur_nsh}")

string(REPLACE "." ", " lur_version_numbers "${LUR_WINDOWS_VERSION}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/lur_version.h CONTENT
"// Made by the build from the version in the top CMakeLists.txt.
#pragma once
#define LUR_VERSION_NUMBERS ${lur_version_numbers}
#define LUR_VERSION_TEXT \"${LUR_WINDOWS_VERSION}\"
")
