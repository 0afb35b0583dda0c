cmake_minimum_required(VERSION 3.20)
# Fails when a source file includes a header of a folder above its own.
# The rules are a stack, each folder knowing only those below it; the
# platform (which knows none of the rules), the presentation and the programs
# sit above all of them. The rules reach the disk through one header of the
# platform, its file-system seam, which itself holds the standard library
# only; and the rules include no header in angle brackets but the standard
# library's, so no system or third-party header creeps into them.
# Run as: cmake -DSOURCE_DIR=<repo>/src -P CheckLayers.cmake
set(stack model engine opponents game savegame res platform ui app)
set(rules model engine opponents game savegame)
# Folders that may not see each other although both sit higher.
set(unrelated "platform:res" "platform:game" "platform:savegame"
  "platform:opponents" "platform:engine" "platform:model")
set(seam "platform/FileSystem.h")
# The headers the build writes, included by their names alone.
set(generated PictureManifest.h SoundEffects.h SoundList.h Version.h)

# The headers of the C++ standard library (C++20), the C ones included.
set(standard
  algorithm any array atomic barrier bit bitset charconv chrono codecvt compare
  complex concepts condition_variable coroutine deque exception execution
  expected filesystem format forward_list fstream functional future
  initializer_list iomanip ios iosfwd iostream istream iterator latch limits
  list locale map memory memory_resource mutex new numbers numeric optional
  ostream queue random ranges ratio regex scoped_allocator semaphore set
  shared_mutex source_location span sstream stack stdexcept stop_token
  streambuf string string_view syncstream system_error thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray
  variant vector version
  cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp
  csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar
  cwctype)

set(failures "")
foreach(folder IN LISTS stack)
  list(FIND stack ${folder} level)
  file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
    # Every quoted include names its folder from src, so that the check
    # above sees it: no "../ui/Screen.h", no header by its name alone but
    # those the build writes.
    file(STRINGS "${source}" quotedIncludes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS quotedIncludes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
      if(header MATCHES "\\.\\./|^\\./|/\\./")
        string(STRIP "${line}" line)
        list(APPEND failures "${shown}: ${line} (an include by a relative path)")
      elseif(NOT header MATCHES "/" AND NOT header IN_LIST generated)
        string(STRIP "${line}" line)
        list(APPEND failures "${shown}: ${line} (an include without its folder)")
      elseif(header MATCHES "^([a-z]+)/")
        string(REGEX REPLACE "^([a-z]+)/.*$" "\\1" first "${header}")
        if(NOT first IN_LIST stack)
          string(STRIP "${line}" line)
          list(APPEND failures "${shown}: ${line} (no such folder of src)")
        endif()
      endif()
    endforeach()
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" included "${line}")
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
      list(FIND stack ${included} includedLevel)
      if(includedLevel EQUAL -1)
        continue()
      endif()
      if(folder IN_LIST rules AND header STREQUAL seam)
        continue()
      endif()
      if(includedLevel GREATER level OR "${folder}:${included}" IN_LIST unrelated)
        string(STRIP "${line}" line)
        list(APPEND failures "${shown}: ${line}")
      endif()
    endforeach()
    # What the rules see holds the standard library only.
    if(folder IN_LIST rules OR shown STREQUAL seam)
      file(STRINGS "${source}" angled REGEX "^[ \t]*#[ \t]*include[ \t]*<")
      foreach(line IN LISTS angled)
        string(REGEX REPLACE "^[^<]*<([^>]*)>.*$" "\\1" header "${line}")
        if(NOT header IN_LIST standard)
          string(STRIP "${line}" line)
          list(APPEND failures "${shown}: ${line} (the rules include the standard library only)")
        endif()
      endforeach()
      if(shown STREQUAL seam AND quotedIncludes)
        list(APPEND failures "${shown}: includes ${quotedIncludes} (the seam holds the standard library only)")
      endif()
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
message(STATUS "the layers hold")
