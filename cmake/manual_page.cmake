# Writes a manual page from a program's own --help, so the page can never
# disagree with the program: the help text is the page's OPTIONS section,
# word for word, between a NAME/SYNOPSIS head and a hand-written tail (exit
# statuses, environment, files).
#   cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DTAIL=... -DOUT=...
#         -DVERSION=... -DDATE=... -P manual_page.cmake
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 LANGUAGE= QT_QPA_PLATFORM=offscreen "${PROGRAM}" --help
  OUTPUT_VARIABLE help
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
# A line that begins with a dot or an apostrophe would be read as a request.
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" upper)
string(REPLACE "-" "\\-" roffName "${NAME}")
file(READ "${TAIL}" tail)
file(WRITE "${OUT}" ".TH ${upper} 1 \"${DATE}\" \"Trennic ${VERSION}\" \"User Commands\"
.SH NAME
${roffName} \\- ${SUMMARY}
.SH DESCRIPTION
The text below is what
.B ${roffName} \\-\\-help
prints.
.SH OPTIONS
.nf
${help}.fi
${tail}")
