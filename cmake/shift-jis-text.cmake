# Writes a UTF-8 text file as Shift-JIS (code page 932) with CR LF line ends,
# the form that Japanese Windows tools read:
#   cmake -DICONV=iconv -DIN=in.md -DOUT=out.txt -P shift-jis-text.cmake
# Fails when a character has no Shift-JIS form.
execute_process(
  COMMAND ${ICONV} -f UTF-8 -t CP932 ${IN}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE error
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${IN} cannot be written in Shift-JIS: ${error}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
