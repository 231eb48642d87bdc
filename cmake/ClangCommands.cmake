# Writes the compile commands of the project's own translation units, from the build's
# compile_commands.json, as lines of "folder|source|arguments" for tools/check-clang.sh: the
# compiler, its output and its input left out and response files read, so that another tool can
# take the arguments.
# Usage: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DOUTPUT=... -P cmake/ClangCommands.cmake

file(READ "${BUILD_DIR}/compile_commands.json" database)
string(JSON count LENGTH "${database}")
math(EXPR last "${count} - 1")
set(lines "")
foreach(index RANGE ${last})
    string(JSON source GET "${database}" ${index} file)
    # GoogleTest's own sources are built inside the build folder's tree but are not ours.
    if(NOT source MATCHES "^${SOURCE_DIR}/")
        continue()
    endif()
    string(JSON folder GET "${database}" ${index} directory)
    string(JSON command GET "${database}" ${index} command)
    separate_arguments(arguments UNIX_COMMAND "${command}")
    list(POP_FRONT arguments)
    set(kept "")
    set(skip_next FALSE)
    foreach(argument IN LISTS arguments)
        if(skip_next)
            set(skip_next FALSE)
        elseif(argument STREQUAL "-o" OR argument STREQUAL "-c")
            set(skip_next TRUE)
        elseif(argument MATCHES "^@(.+)")
            # A response file, read here: not every tool expands one.
            file(READ "${folder}/${CMAKE_MATCH_1}" response)
            separate_arguments(response UNIX_COMMAND "${response}")
            list(APPEND kept ${response})
        else()
            list(APPEND kept "${argument}")
        endif()
    endforeach()
    list(JOIN kept " " kept)
    string(APPEND lines "${folder}|${source}|${kept}\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
