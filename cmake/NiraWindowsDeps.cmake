# The Windows build's dependencies: zlib from mingw-w64's package (linked statically), SQLite
# built from its amalgamation source, which tools/deps.sh fetches at a pinned version and checks.

set(NIRA_SQLITE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/build/deps/sqlite CACHE PATH
    "folder holding sqlite3.c and sqlite3.h (tools/deps.sh puts them there)")
if(NOT EXISTS ${NIRA_SQLITE_SOURCE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite amalgamation missing in ${NIRA_SQLITE_SOURCE_DIR}: run tools/deps.sh")
endif()
add_library(nira_sqlite STATIC ${NIRA_SQLITE_SOURCE_DIR}/sqlite3.c)
target_include_directories(nira_sqlite SYSTEM PUBLIC ${NIRA_SQLITE_SOURCE_DIR})
target_compile_definitions(nira_sqlite PRIVATE SQLITE_THREADSAFE=1 SQLITE_DQS=0 SQLITE_OMIT_LOAD_EXTENSION
                                               SQLITE_DEFAULT_MEMSTATUS=0)
# Third-party code: its warnings are not ours to fix.
target_compile_options(nira_sqlite PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS nira_sqlite)

find_library(NIRA_ZLIB_STATIC NAMES libz.a REQUIRED)
find_path(NIRA_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(ZLIB::ZLIB STATIC IMPORTED)
set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${NIRA_ZLIB_STATIC}
                      INTERFACE_INCLUDE_DIRECTORIES ${NIRA_ZLIB_INCLUDE})
