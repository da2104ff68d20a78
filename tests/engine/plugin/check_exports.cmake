# Checks the dynamic symbol table of a program that hosts plug-ins:
# - every name of the export list that the engine defines is exported;
# - no other plain (C) name of its own is exported: only the linker's and the C
#   runtime's own symbols may appear beside the list;
# - C++ symbols may appear only as vague-linkage copies (weak template and inline
#   instances shared with the platform library) or as the linker's copies of library
#   variables (such as std::cerr), never as functions defined here; the sanitizer
#   runtimes' own symbols are allowed in sanitizer builds.
# - with REQUIRE_ALL set, every name of the list is exported, whether or not the
#   engine archive defines it (the finished program provides the whole interface).
# Arguments: NM, PROGRAM, ENGINE (the engine archive), LIST (the export list),
# REQUIRE_ALL (optional).
cmake_minimum_required(VERSION 3.25)

file(STRINGS "${LIST}" _lines REGEX "^ +[A-Za-z_][A-Za-z0-9_]*;")
set(_listed "")
foreach(_line IN LISTS _lines)
  string(REGEX REPLACE "^ +([A-Za-z_][A-Za-z0-9_]*);.*" "\\1" _name "${_line}")
  list(APPEND _listed "${_name}")
endforeach()

execute_process(COMMAND "${NM}" --defined-only "${ENGINE}" OUTPUT_VARIABLE _engine_syms
                RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${ENGINE}")
endif()
execute_process(COMMAND "${NM}" -D --defined-only "${PROGRAM}" OUTPUT_VARIABLE _program_syms
                RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "nm -D failed on ${PROGRAM}")
endif()

set(_runtime main _edata _end __bss_start _init _fini _IO_stdin_used __data_start data_start
    __dso_handle)
set(_errors "")
string(REPLACE "\n" ";" _program_lines "${_program_syms}")
set(_exported "")
foreach(_line IN LISTS _program_lines)
  if(NOT _line MATCHES "^[0-9a-fA-F]* +([A-Za-z]) +([^ ]+)$")
    continue()
  endif()
  set(_type "${CMAKE_MATCH_1}")
  set(_name "${CMAKE_MATCH_2}")
  string(REGEX REPLACE "@.*" "" _name "${_name}")
  list(APPEND _exported "${_name}")
  if(_name IN_LIST _listed OR _name IN_LIST _runtime)
    continue()
  endif()
  if(_name MATCHES "^_Z" AND _type MATCHES "^[WVuBD]$")
    continue()
  endif()
  if(_name MATCHES "^__(asan|ubsan|lsan|tsan|sanitizer)_")
    continue()
  endif()
  list(APPEND _errors "exported but not part of the plug-in interface: ${_name} (${_type})")
endforeach()

foreach(_name IN LISTS _listed)
  string(REGEX MATCH "[0-9a-fA-F]+ T ${_name}\n" _defined "${_engine_syms}")
  if((_defined OR REQUIRE_ALL) AND NOT _name IN_LIST _exported)
    list(APPEND _errors "not exported: ${_name}")
  endif()
endforeach()

if(_errors)
  string(REPLACE ";" "\n  " _text "${_errors}")
  message(FATAL_ERROR "${PROGRAM}:\n  ${_text}")
endif()
message(STATUS "exports of ${PROGRAM} are the plug-in interface")
