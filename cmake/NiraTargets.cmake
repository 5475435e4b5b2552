# Helpers that give every part of the tree the same shape of target.
#
# Production code is compiled with hidden symbols, as a Windows DLL exports only what it declares;
# the simulated machine (nirasim) is the one library that exports everything it defines.

set(NIRA_SOURCE_ROOT ${CMAKE_SOURCE_DIR})

# Sources of a folder (recursively), in a stable order.
function(nira_collect_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Usage requirements that every production target shares.
function(nira_production_target target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PUBLIC ${NIRA_SOURCE_ROOT})
  target_link_libraries(${target} PUBLIC nira_platform)
endfunction()

# A static library of the code in a folder; an empty folder (or one of headers only) gives an
# interface target, so that targets can name it before its code exists.
#   nira_code_library(name dir [libraries...] [INCLUDES folders...] [EXCLUDE folders...])
# The libraries it links are the ones it builds on: its sources and headers may include headers of
# its own folder, of the folders of those libraries (and theirs), and of the INCLUDES folders, and
# the build fails on any other header of the tree (tools/layercheck.py). The EXCLUDE folders below
# dir are libraries of their own, built on this one.
function(nira_code_library name dir)
  cmake_parse_arguments(ARG "" "" "INCLUDES;EXCLUDE" ${ARGN})
  set(libraries ${ARG_UNPARSED_ARGUMENTS})
  nira_collect_sources(srcs ${dir})
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${excluded}/")
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    nira_production_target(${name})
    if(libraries)
      target_link_libraries(${name} PUBLIC ${libraries})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${NIRA_SOURCE_ROOT})
    target_link_libraries(${name} INTERFACE nira_platform ${libraries})
  endif()
  nira_layer_folders(folders ${dir} ${ARG_INCLUDES} LIBRARIES ${libraries})
  set_target_properties(${name} PROPERTIES NIRA_LAYER_FOLDERS "${folders}")
  nira_layer_check(${name} ${dir} ${folders} EXCLUDE ${ARG_EXCLUDE})
endfunction()

# The folders whose headers a library may include: the given ones and those of the code libraries
# it links.
function(nira_layer_folders out)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  set(folders ${ARG_UNPARSED_ARGUMENTS})
  foreach(library IN LISTS ARG_LIBRARIES)
    if(TARGET ${library})
      get_target_property(library_folders ${library} NIRA_LAYER_FOLDERS)
      if(library_folders)
        list(APPEND folders ${library_folders})
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Before the library builds, every source and header of dir is checked to include only headers of
# the given folders.
find_program(NIRA_PYTHON python3 REQUIRED)
function(nira_layer_check name dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  set(allowed ${ARG_UNPARSED_ARGUMENTS})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp ${dir}/*.c)
  set(exclude_options)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(FILTER files EXCLUDE REGEX "^${excluded}/")
    list(APPEND exclude_options --exclude ${excluded})
  endforeach()
  if(NOT files)
    return()
  endif()
  list(SORT files)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.layercheck)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${NIRA_PYTHON} ${NIRA_SOURCE_ROOT}/tools/layercheck.py --root ${NIRA_SOURCE_ROOT}
            --stamp ${stamp} --dir ${dir} ${exclude_options} --allow ${allowed}
    DEPENDS ${files} ${NIRA_SOURCE_ROOT}/tools/layercheck.py
    COMMENT "Checking the includes of ${name}" VERBATIM)
  add_custom_target(${name}_layercheck DEPENDS ${stamp})
  add_dependencies(${name} ${name}_layercheck)
endfunction()

# One of the driver's DLLs: a shared library with the file name a Windows build would have,
# holding every object of the code libraries it is made of.
# OWN_RESOURCES: the simulated machine's build exports a resource table of its own, which names
# the version resource.
function(nira_driver_library name)
  cmake_parse_arguments(ARG "OWN_RESOURCES" "" "SOURCES;PARTS;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${NIRA_SOURCE_ROOT}/cmake/empty.cpp)
  nira_production_target(${name})
  nira_dll_file(${name} ${CMAKE_BINARY_DIR}/bin)
  if(ARG_OWN_RESOURCES)
    nira_version_resource(${name} OWN_TABLE)
  else()
    nira_version_resource(${name})
  endif()
  foreach(part IN LISTS ARG_PARTS)
    get_target_property(kind ${part} TYPE)
    if(kind STREQUAL "STATIC_LIBRARY")
      # Every object goes in, so that exports and tables nobody inside references stay.
      target_link_libraries(${name} PRIVATE "-Wl,--whole-archive,$<TARGET_FILE:${part}>,--no-whole-archive")
      add_dependencies(${name} ${part})
    endif()
    target_link_libraries(${name} PRIVATE ${part})
  endforeach()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(NOT WIN32)
    target_link_libraries(${name} PRIVATE nirasim)
  endif()
  add_dependencies(nira_runtime ${name})
endfunction()

# The driver's version resource on a DLL (package/version/): the resource script on Windows; on
# the simulated machine the exported table that holds only the version, unless OWN_TABLE says that
# the DLL's own resource table names it.
function(nira_version_resource name)
  cmake_parse_arguments(ARG "OWN_TABLE" "" "" ${ARGN})
  if(WIN32)
    target_sources(${name} PRIVATE ${NIRA_SOURCE_ROOT}/package/version/niraversion.rc)
  elseif(NOT ARG_OWN_TABLE)
    target_sources(${name} PRIVATE ${NIRA_SOURCE_ROOT}/package/version/sim/NiraVersionResources.cpp)
    target_include_directories(${name} PRIVATE ${NIRA_SOURCE_ROOT})
  endif()
endfunction()

# A DLL's file name and folder, and on Windows the C++ runtime linked in statically, so that no
# runtime DLL of the toolchain has to ship beside it.
function(nira_dll_file name output_dir)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll" LIBRARY_OUTPUT_DIRECTORY ${output_dir}
                        RUNTIME_OUTPUT_DIRECTORY ${output_dir})
  if(WIN32)
    # Only what a DLL declares (dllexport or its .def file) is exported, never every symbol of a
    # DLL that declares nothing yet.
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--exclude-all-symbols)
  else()
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# A small outside component of the sample package: a DLL with a Windows file name, built from the
# given sources against the platform alone into output_dir, before the tests run.
function(nira_component_dll name output_dir)
  add_library(${name} SHARED ${ARGN})
  target_link_libraries(${name} PRIVATE nira_platform)
  target_include_directories(${name} PRIVATE ${NIRA_SOURCE_ROOT})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden)
  nira_dll_file(${name} ${output_dir})
  nira_version_resource(${name})
  add_dependencies(nira_runtime ${name})
endfunction()

# A GoogleTest program for one folder of tests/.
function(nira_test_program name dir)
  nira_collect_sources(srcs ${dir})
  # A folder below with its own CMakeLists.txt is a test program of its own.
  file(GLOB_RECURSE nested_lists CONFIGURE_DEPENDS ${dir}/*/CMakeLists.txt)
  foreach(nested IN LISTS nested_lists)
    get_filename_component(nested_dir ${nested} DIRECTORY)
    foreach(src IN LISTS srcs)
      string(FIND "${src}" "${nested_dir}/" at)
      if(at EQUAL 0)
        list(REMOVE_ITEM srcs ${src})
      endif()
    endforeach()
  endforeach()
  if(WIN32)
    nira_windows_test_program(${name} "${srcs}" ${ARGN})
    return()
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${NIRA_SOURCE_ROOT} ${NIRA_SOURCE_ROOT}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} nira_testcontrol GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE NIRA_BUILD_DIR="${CMAKE_BINARY_DIR}"
                             NIRA_SOURCE_DIR="${NIRA_SOURCE_ROOT}")
  add_dependencies(${name} nira_runtime)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# The Windows form of a test program, for the programs listed as portable: the sources that use
# the test-control API of the simulated machine are left out, tests/win32/ stands in for the
# sample machine (the driver's DLLs load from the program's own folder, bin/), and ctest runs the
# whole program once through the cross-compiling emulator (Wine).
function(nira_windows_test_program name srcs)
  if(NOT name IN_LIST NIRA_PORTABLE_TEST_PROGRAMS)
    return()
  endif()
  set(portable)
  foreach(src IN LISTS srcs)
    file(STRINGS ${src} uses_test_control REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]nirasim/")
    if(NOT uses_test_control)
      list(APPEND portable ${src})
    endif()
  endforeach()
  if(NOT portable)
    return()
  endif()
  add_executable(${name} ${portable})
  target_include_directories(${name} PRIVATE ${NIRA_SOURCE_ROOT} ${NIRA_SOURCE_ROOT}/tests/win32
                                             ${NIRA_SOURCE_ROOT}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_link_options(${name} PRIVATE -static)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(${name} nira_runtime)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS wine
                       ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
endfunction()
