# Builds one SQLite database from SQL files: the files are joined in the order given and run by
# the sqlite3 shell, which stops at the first error. The database replaces the old one only when
# every statement ran.
string(REPLACE "|" ";" files "${SQL_FILES}")
set(script ${OUTPUT}.sql)
set(partial ${OUTPUT}.partial)
file(WRITE ${script} "PRAGMA foreign_keys = ON;\nBEGIN;\n")
foreach(file IN LISTS files)
  file(READ ${file} text)
  file(APPEND ${script} "-- ${file}\n${text}\n")
endforeach()
file(APPEND ${script} "COMMIT;\n")
file(REMOVE ${partial})
execute_process(COMMAND ${SQLITE3} -bail ${partial} INPUT_FILE ${script} RESULT_VARIABLE result
                ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR errors)
  file(REMOVE ${partial})
  message(FATAL_ERROR "building ${OUTPUT} failed: ${errors}")
endif()
file(RENAME ${partial} ${OUTPUT})
file(REMOVE ${script})
