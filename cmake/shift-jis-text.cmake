# Writes a UTF-8 text file as Shift-JIS (code page 932) with CR LF line ends,
# the form that Japanese Windows tools read, with every @VERSION@ replaced by
# VERSION:
#   cmake -DICONV=iconv -DIN=in.md -DOUT=out.txt -DVERSION=1.0.0 -P shift-jis-text.cmake
# Fails when a character has no Shift-JIS form.
# New policies: under the old ones "@VERSION@" in an argument is itself expanded.
cmake_policy(VERSION 3.16)
execute_process(
  COMMAND ${ICONV} -f UTF-8 -t CP932 ${IN}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE error
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${IN} cannot be written in Shift-JIS: ${error}")
endif()
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
