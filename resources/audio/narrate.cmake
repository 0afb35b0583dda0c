# Speaks one lesson script and writes it in the format the game's resource table asks for.
# Run with cmake -P and these variables:
#   SCRIPT         the lesson text (also the on-screen caption)
#   PRONUNCIATION  name<TAB>respelling lines applied to the spoken text only
#   OUTPUT         the .wav to write
#   RATE           sample rate of OUTPUT (always 16-bit stereo)
#   FLITE, ESPEAK  speech engines (flite preferred; either may be empty or NOTFOUND)
#   VOICE          the flite voice
#   SOX            sox, for the format conversion and levels
cmake_minimum_required(VERSION 3.20)

file(READ "${SCRIPT}" text)
# The captions are broken into short lines; the speech engine must see running text.
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
string(STRIP "${text}" text)

file(STRINGS "${PRONUNCIATION}" respellings)
foreach(line IN LISTS respellings)
  if(line MATCHES "^([^#\t][^\t]*)\t(.+)$")
    string(REPLACE "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" text "${text}")
  endif()
endforeach()

get_filename_component(stem "${OUTPUT}" NAME_WE)
get_filename_component(dir "${OUTPUT}" DIRECTORY)
set(spoken "${dir}/${stem}.spoken.txt")
set(raw "${dir}/${stem}.raw.wav")
file(WRITE "${spoken}" "${text}\n")

if(FLITE)
  execute_process(COMMAND "${FLITE}" -voice "${VOICE}" -f "${spoken}" -o "${raw}"
                  RESULT_VARIABLE status)
elseif(ESPEAK)
  execute_process(COMMAND "${ESPEAK}" -v en-gb -s 150 -f "${spoken}" -w "${raw}"
                  RESULT_VARIABLE status)
else()
  message(FATAL_ERROR "no speech engine: install flite or espeak-ng")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "speech engine failed on ${SCRIPT}")
endif()

# -R makes the dither repeatable, so the same script always gives the same bytes. The
# first gain leaves the high-pass headroom, the second levels the voice; the pads leave
# a breath of silence at each end; the high-pass removes the engine's rumble.
execute_process(COMMAND "${SOX}" -R "${raw}" -b 16 -c 2 -r "${RATE}" "${OUTPUT}"
                        gain -6 highpass 60 gain -n -2 pad 0.3 0.5
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "sox failed converting ${raw}")
endif()
file(REMOVE "${raw}")
