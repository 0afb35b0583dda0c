cmake_minimum_required(VERSION 3.20)
# Fails when a source file includes a header of a folder above its own.
# The rules are a stack, each folder knowing only those below it; the
# platform (which knows none of the rules), the presentation and the programs
# sit above all of them.
# Run as: cmake -DSOURCE_DIR=<repo>/src -P CheckLayers.cmake
set(stack model engine opponents game savegame res platform ui app)
# Folders that may not see each other although both sit higher.
set(unrelated "platform:res" "platform:game" "platform:savegame"
  "platform:opponents" "platform:engine" "platform:model")

set(failures "")
foreach(folder IN LISTS stack)
  list(FIND stack ${folder} level)
  file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" included "${line}")
      list(FIND stack ${included} includedLevel)
      if(includedLevel EQUAL -1)
        continue()
      endif()
      if(includedLevel GREATER level OR "${folder}:${included}" IN_LIST unrelated)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND failures "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
message(STATUS "the layers hold")
