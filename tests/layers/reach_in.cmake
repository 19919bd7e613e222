# Compiles tests/layers/reach_in.cpp as the project compiles its windows: once keeping to its own
# controls (it must compile), then once for each way into another window's controls (each must be
# refused by the compiler for access, not for another fault of the file).
# Called with CXX (the compiler), SOURCE (the file), INCLUDE (the top of the tree), WAYS (their count).
set(flags -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I${INCLUDE})
execute_process(COMMAND ${CXX} ${flags} -DREACH_IN=0 ${SOURCE} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "a window keeping to its own controls does not compile:\n${err}")
endif()
foreach(way RANGE 1 ${WAYS})
  execute_process(COMMAND ${CXX} ${flags} -DREACH_IN=${way} ${SOURCE} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(rc EQUAL 0)
    message(FATAL_ERROR "way ${way} into another window's controls compiles")
  endif()
  if(NOT err MATCHES "protected|private|no matching|incomplete")
    message(FATAL_ERROR "way ${way} is refused, but not for access:\n${err}")
  endif()
endforeach()
message(STATUS "each of the ${WAYS} ways into another window's controls is refused")
