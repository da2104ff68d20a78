# Compiler settings shared by every target of the project, and small helpers that
# let each subsystem folder own its own list of sources.

# All text inside the system is Shift-JIS: string literals are compiled to CP932 bytes.
add_compile_options(-fexec-charset=CP932)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion
                    -Wnon-virtual-dtor -Woverloaded-virtual
                    -Wimplicit-fallthrough -Wformat=2)
if(VESK_WERROR)
  add_compile_options(-Werror)
endif()

if(VESK_SANITIZE)
  string(REPLACE "," ";" _vesk_sanitizers "${VESK_SANITIZE}")
  foreach(_s IN LISTS _vesk_sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer)
  if("undefined" IN_LIST _vesk_sanitizers)
    # Undefined behaviour stops the test instead of scrolling past.
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
  if("address" IN_LIST _vesk_sanitizers)
    # Every program of the build carries the runtime's default options (the file
    # says why); libraries take the program's.
    add_library(vesk_sanitizer_options OBJECT "${CMAKE_CURRENT_LIST_DIR}/sanitizer_default_options.cpp")
    link_libraries("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:$<TARGET_OBJECTS:vesk_sanitizer_options>>")
  endif()
endif()

# A fuzzing build calls a coverage hook at every basic block (tests/fuzz). Every
# program of it carries a hook that does nothing, which the fuzzing targets' own
# takes the place of, and exports it to the plug-in it loads.
if(VESK_FUZZ)
  add_compile_options(-fsanitize-coverage=trace-pc)
  add_library(vesk_coverage_hook_default OBJECT "${CMAKE_CURRENT_LIST_DIR}/coverage_hook_default.cpp")
  set(_vesk_is_program "$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>")
  link_libraries("$<${_vesk_is_program}:$<TARGET_OBJECTS:vesk_coverage_hook_default>>")
  add_link_options("$<${_vesk_is_program}:-Wl,--export-dynamic-symbol=__sanitizer_cov_trace_pc>")
endif()

# Adds every immediate child folder of the current source folder that has a
# CMakeLists.txt, in name order. Each child adds its sources to its layer's target
# with target_sources(), so that the folders of a layer do not share one list.
function(vesk_add_module_directories)
  file(GLOB _children LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}"
       "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT _children)
  foreach(_child IN LISTS _children)
    if(IS_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/${_child}"
       AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt")
      add_subdirectory(${_child})
    endif()
  endforeach()
endfunction()
