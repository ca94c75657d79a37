# Helpers shared by every folder's CMakeLists.txt.
#
#   zx_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [DEPENDS <targets...>]
#               [LOCKS <resources...>] [SCREEN <width>x<height>] [SHARDS <n>])
#       A GoogleTest program in build/tests, run by ctest under Wine. DEPENDS
#       names deliverables the test drives as separate processes, so that
#       building the test builds them too. LOCKS names machine-wide resources
#       the test takes (e.g. syscontrol_pipe: it serves or calls the program's
#       own system-control pipe; screen: it shows windows, reads pixels back
#       from the display or depends on which window is in front, so that no
#       window of another test lies over the ones being read); tests sharing
#       one never run at the same time. SCREEN runs it on a display of that
#       size. SHARDS splits a long program's tests into n ctest entries
#       (<name>.1 ... <name>.n, GoogleTest's sharding) that run side by side.
#   zx_add_test_dll(NAME <name> SOURCES <files...> [LIBS <targets...>] [DEF <file>])
#       A helper DLL that a test loads, written beside the tests.

set(ZX_TEST_DIR ${ZX_OUTPUT_DIR}/tests)
# The Wine loader for this build's programs: /usr/bin/wine picks the 32-bit
# loader whenever it is installed, so 64-bit programs name theirs.
if(ZX_WIN64)
  set(ZX_WINE /usr/lib/wine/wine64)
  set(ZX_ARCH_NAME win64)
else()
  set(ZX_WINE wine)
  set(ZX_ARCH_NAME win32)
endif()

function(zx_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT;SCREEN;SHARDS" "SOURCES;LIBS;DEPENDS;LOCKS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  # Test programs are not shipped: their own code stays optimised for speed.
  target_compile_options(${T_NAME} PRIVATE -O2)
  target_link_libraries(${T_NAME} PRIVATE zx_test_main ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  set(own_wine_locks screen zendrix_instance syscontrol_pipe)
  set(command ${ZX_WINE} ${ZX_TEST_DIR}/${T_NAME}.exe)
  foreach(lock ${own_wine_locks})
    if(lock IN_LIST T_LOCKS)
      set(command bash ${CMAKE_SOURCE_DIR}/scripts/own-wine.sh ${ZX_ARCH_NAME} ${ZX_TEST_DIR}/${T_NAME}.exe)
    endif()
  endforeach()
  if(T_SCREEN)
    # A screen of another size needs a display and a wineserver of its own.
    set(command bash ${CMAKE_SOURCE_DIR}/scripts/own-wine.sh --screen ${T_SCREEN} ${ZX_ARCH_NAME}
                ${ZX_TEST_DIR}/${T_NAME}.exe)
  endif()
  if(T_LOCKS)
    list(REMOVE_ITEM T_LOCKS ${own_wine_locks})
  endif()
  if(NOT T_SHARDS OR T_SHARDS LESS 2)
    add_test(NAME ${T_NAME} COMMAND ${command})
    set(tests ${T_NAME})
  else()
    set(tests "")
    math(EXPR last "${T_SHARDS} - 1")
    foreach(index RANGE ${last})
      math(EXPR number "${index} + 1")
      add_test(NAME ${T_NAME}.${number} COMMAND ${command})
      set_tests_properties(${T_NAME}.${number} PROPERTIES
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}")
      list(APPEND tests ${T_NAME}.${number})
    endforeach()
  endif()
  set_tests_properties(${tests} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCKS)
    set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

function(zx_add_test_dll)
  cmake_parse_arguments(T "" "NAME;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${T_NAME} SHARED ${T_SOURCES} ${T_DEF})
  set_target_properties(${T_NAME} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${ZX_TEST_DIR})
  if(T_LIBS)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  endif()
endfunction()

# Adds every direct subfolder of the current source folder that has a
# CMakeLists.txt, in name order, so that a new component needs no edit here.
function(zx_add_subfolders)
  # CONFIGURE_DEPENDS: a new subfolder is picked up by the next build.
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# The module-definition file to link for this build: stdcall names carry
# their argument bytes ("Name@8") only on 32-bit Windows, so the 64-bit
# build links a copy without them.
function(zx_arch_def def_in out_var)
  if(ZX_WIN64)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_in})
    file(READ ${def_in} text)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
    get_filename_component(name ${def_in} NAME)
    set(def_out ${CMAKE_CURRENT_BINARY_DIR}/${name})
    file(WRITE ${def_out} "${text}")
    set(${out_var} ${def_out} PARENT_SCOPE)
  else()
    set(${out_var} ${def_in} PARENT_SCOPE)
  endif()
endfunction()

# Compiles the given targets and sources (paths from the top source folder)
# optimised for speed instead of size: decoding, blending and copying
# bitmaps, which start-up spends its time on.
function(zx_speed_critical)
  cmake_parse_arguments(S "" "" "TARGETS;SOURCES" ${ARGN})
  foreach(target ${S_TARGETS})
    target_compile_options(${target} PRIVATE -O2)
  endforeach()
  foreach(source ${S_SOURCES})
    get_filename_component(folder ${CMAKE_SOURCE_DIR}/${source} DIRECTORY)
    set_source_files_properties(${CMAKE_SOURCE_DIR}/${source} DIRECTORY ${folder} PROPERTIES COMPILE_OPTIONS -O2)
  endforeach()
endfunction()

# The program folder ships stripped binaries: Wine maps every section at
# load, so debug sections would be read at each start. Each binary's debug
# information goes to <output>/debug/<file>.debug beside the build, and the
# binary keeps a debug link to it, so a crash address can still be read
# (gdb: set debug-file-directory <output>/debug; addr2line -e <file>.debug).
# Called once at the end of the top-level CMakeLists.txt: it covers every
# binary that lands in the program folder. The debug file is written last,
# so it stays newer than its stripped binary until that is linked again.
function(zx_split_debug_info)
  set(debug_dir ${ZX_OUTPUT_DIR}/debug)
  set(debug_files "")
  set(folders ${CMAKE_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    get_property(children DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${children})
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
        continue()
      endif()
      get_target_property(out ${target} RUNTIME_OUTPUT_DIRECTORY)
      if(NOT out STREQUAL ZX_DIST_DIR)
        continue()
      endif()
      get_target_property(name ${target} OUTPUT_NAME)
      if(NOT name)
        set(name ${target})
      endif()
      get_target_property(prefix ${target} PREFIX)
      if(type STREQUAL EXECUTABLE)
        set(prefix "")
        set(suffix ${CMAKE_EXECUTABLE_SUFFIX})
      else()
        if(prefix STREQUAL "prefix-NOTFOUND")
          set(prefix ${CMAKE_SHARED_LIBRARY_PREFIX})
        endif()
        set(suffix ${CMAKE_SHARED_LIBRARY_SUFFIX})
      endif()
      set(debug_file ${debug_dir}/${prefix}${name}${suffix}.debug)
      add_custom_command(OUTPUT ${debug_file}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${debug_dir}
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug_file}
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug_file} $<TARGET_FILE:${target}>
        COMMAND ${CMAKE_COMMAND} -E touch ${debug_file}
        DEPENDS ${target}
        COMMENT "Stripping ${prefix}${name}${suffix}, its debug information to debug/"
        VERBATIM)
      list(APPEND debug_files ${debug_file})
    endforeach()
  endwhile()
  add_custom_target(zx_split_debug_info ALL DEPENDS ${debug_files})
endfunction()
