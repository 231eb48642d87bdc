# The floors of framework/, lowest first: a file may include the files of its own floor and of
# those below it, never one above. A new file must be given a floor here.
set(FLOORS
    "Classes Colors Exceptions Numbers Handles Screen Scale Mouse"
    "Window"
    "FormText"
    "Graphics"
    "Component"
    "FormReader IniFile Published"
    "Controls"
    "StdCtrls ExtCtrls ComCtrls Buttons Menus"
    "Forms Application")

set(level 0)
foreach(floor IN LISTS FLOORS)
    separate_arguments(names UNIX_COMMAND "${floor}")
    foreach(name IN LISTS names)
        set(floor_of_${name} ${level})
    endforeach()
    math(EXPR level "${level} + 1")
endforeach()

set(faults "")
file(GLOB files "${SOURCE_DIR}/framework/*.h" "${SOURCE_DIR}/framework/*.cpp")
foreach(file IN LISTS files)
    get_filename_component(name "${file}" NAME_WE)
    if(NOT DEFINED floor_of_${name})
        string(APPEND faults "framework/${name} has no floor\n")
        continue()
    endif()
    file(STRINGS "${file}" includes REGEX "^#include \"framework/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"framework/([A-Za-z]+)\\.h\".*" "\\1" used "${line}")
        if(NOT DEFINED floor_of_${used} OR floor_of_${used} GREATER floor_of_${name})
            string(APPEND faults "${file} includes framework/${used}.h from a floor above\n")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "${faults}")
endif()
message(STATUS "framework/: every include runs down or level")
