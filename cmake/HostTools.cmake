# Build-time tools: programs the build itself runs (the picture and sound generators).
#
# A cross build (Windows, the browser) cannot run what it compiles, so it imports every tool
# from a native build of the same sources: TESSARION_HOST_TOOLS names that build's folder,
# whose TessarionHostTools.cmake lists them all. Declare each tool with
# tessarion_add_host_tool and use it by its target name; nothing else needs to know.
if(CMAKE_CROSSCOMPILING)
  set(TESSARION_HOST_TOOLS "" CACHE PATH
    "a native build folder of this project, holding the build-time tools")
  set(tessarion_host_tools_file ${TESSARION_HOST_TOOLS}/TessarionHostTools.cmake)
  if(NOT EXISTS ${tessarion_host_tools_file})
    message(FATAL_ERROR "A cross build runs the build-time tools of a native build: build "
      "the target tessarion_host_tools natively and pass its folder as TESSARION_HOST_TOOLS")
  endif()
  include(${tessarion_host_tools_file})
else()
  add_custom_target(tessarion_host_tools)
endif()

# tessarion_add_host_tool(NAME SOURCES ... [LIBRARIES ...] [INCLUDES ...])
function(tessarion_add_host_tool name)
  cmake_parse_arguments(PARSE_ARGV 1 tool "" "" "SOURCES;LIBRARIES;INCLUDES")
  if(CMAKE_CROSSCOMPILING)
    if(NOT TARGET ${name})
      message(FATAL_ERROR "${TESSARION_HOST_TOOLS} has no ${name}: rebuild its tessarion_host_tools")
    endif()
    return()
  endif()
  add_executable(${name} ${tool_SOURCES})
  target_include_directories(${name} PRIVATE ${tool_INCLUDES})
  target_link_libraries(${name} PRIVATE ${tool_LIBRARIES})
  target_compile_options(${name} PRIVATE -O2)
  if(TESSARION_SANITIZE)
    # A build tool, not the game: instrumenting it only makes every build slower.
    target_compile_options(${name} PRIVATE -fno-sanitize=all)
  endif()
  add_dependencies(tessarion_host_tools ${name})
  set_property(GLOBAL APPEND PROPERTY TESSARION_HOST_TOOL_NAMES ${name})
endfunction()

# Called once at the end of the top-level CMakeLists.txt: writes the list a cross build imports.
function(tessarion_export_host_tools)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  get_property(names GLOBAL PROPERTY TESSARION_HOST_TOOL_NAMES)
  set(content "# Generated: the build-time tools of this native build, for cross builds.\n")
  foreach(name IN LISTS names)
    string(APPEND content "add_executable(${name} IMPORTED)\n"
      "set_target_properties(${name} PROPERTIES IMPORTED_LOCATION \"$<TARGET_FILE:${name}>\")\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/TessarionHostTools.cmake CONTENT "${content}")
endfunction()
