# Which folders each target may include. The sources write every include by its path from the top
# folder ("ui/controls.h"), so the top folder itself is no target's include folder: that would let any
# file include any other. Instead each folder a target names gets a root of its own under the build
# folder, holding one forwarding header for each header of that folder and nothing else. A target
# that does not name platform/win32 cannot include from it, whatever its sources write.
#
#   lur_include_folders(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>...)
#       <folder> is a path from the top folder; it gives its own headers, not its subfolders'
#       (platform gives platform/platform.h, not platform/win32/).
#   lur_portable(<target>)
#       the target's own sources cannot include Windows's headers, in the Windows builds too.
#   lur_include_must_fail(<target> <include> <message>)
#       a test (label "layers") that compiles a file holding only #include <include> with the
#       target's own include folders and flags, and passes only when the compiler stops with an
#       error matching <message>.

set(LUR_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include-roots)

function(lur_include_folders target scope)
    foreach(folder IN LISTS ARGN)
        # One level under the roots' folder, so that no root lies inside another.
        string(REPLACE "/" "." root_name "${folder}")
        set(root ${LUR_INCLUDE_ROOTS}/${root_name})
        get_property(made GLOBAL PROPERTY LUR_INCLUDE_ROOT_${folder} SET)
        if(NOT made)
            file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
            if(NOT headers)
                message(FATAL_ERROR "lur_include_folders(${target}): ${folder} holds no headers")
            endif()
            set(forwarders)
            foreach(header IN LISTS headers)
                get_filename_component(name ${header} NAME)
                list(APPEND forwarders ${root}/${folder}/${name})
                file(CONFIGURE OUTPUT ${root}/${folder}/${name}
                     CONTENT "// Made by the build: ${folder}/${name} for the targets that name ${folder}.\n#pragma once\n#include \"${header}\"\n")
            endforeach()
            # A header removed from the folder goes from its root too.
            file(GLOB old ${root}/${folder}/*.h)
            list(REMOVE_ITEM old ${forwarders})
            if(old)
                file(REMOVE ${old})
            endif()
            set_property(GLOBAL PROPERTY LUR_INCLUDE_ROOT_${folder} ${root})
        endif()
        target_include_directories(${target} ${scope} ${root})
    endforeach()
endfunction()

# Windows's own headers, each stopping the compile with a message that says why. They come before
# the compiler's system folders, so <windows.h> finds the one here.
set(LUR_NO_WINDOWS_ROOT ${LUR_INCLUDE_ROOTS}/no-windows)
set(LUR_NO_WINDOWS_MESSAGE "portable code includes no Windows headers")
foreach(header windows.h windef.h winbase.h winnt.h winuser.h wingdi.h winreg.h winerror.h shellapi.h
               shlobj.h shlwapi.h commctrl.h commdlg.h objbase.h objidl.h ole2.h oleauto.h tlhelp32.h
               mmsystem.h winsock2.h)
    file(CONFIGURE OUTPUT ${LUR_NO_WINDOWS_ROOT}/${header}
         CONTENT "#error \"<${header}>: ${LUR_NO_WINDOWS_MESSAGE}; Windows code lives in platform/win32 and lurcore/win32\"\n")
endforeach()

function(lur_portable target)
    target_include_directories(${target} PRIVATE ${LUR_NO_WINDOWS_ROOT})
endfunction()

function(lur_include_must_fail target include message)
    string(MAKE_C_IDENTIFIER "${target}_includes_${include}" probe)
    set(source ${CMAKE_BINARY_DIR}/layer-probes/${probe}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include ${include}\n")
    add_library(${probe} OBJECT EXCLUDE_FROM_ALL ${source})
    # The target's own settings, with what its link libraries hand on.
    foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS)
        set_property(TARGET ${probe} PROPERTY ${property} "$<TARGET_PROPERTY:${target},${property}>")
    endforeach()
    string(REGEX REPLACE "[<>\"]" "" shown "${include}")
    add_test(NAME "layers: ${target} cannot include ${shown}"
             COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${probe} --config $<CONFIG>)
    # Passes on the compiler's own words only: a probe that failed for another reason fails.
    set_tests_properties("layers: ${target} cannot include ${shown}" PROPERTIES
        LABELS layers RESOURCE_LOCK lur_build_tree PASS_REGULAR_EXPRESSION "${message}")
endfunction()
