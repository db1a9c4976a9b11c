# Writes the manual page heart.1 from the command's own help, so the two
# never disagree: `heart --help` and every verb's --help, set verbatim.
#   cmake -DHEART=path/to/heart -DOUTPUT=heart.1 -DVERSION=1.4.0 -P make_man_page.cmake
cmake_minimum_required(VERSION 3.25)

function(help_of out)
  execute_process(COMMAND ${HEART} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "heart ${ARGN} --help failed (${status})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text set without filling, with roff's control characters escaped.
function(roff_block out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

# The verbs a help text lists under "Subcommands:".
function(verbs_in out text)
  set(verbs "")
  if(text MATCHES "Subcommands:\n(.*)")
    string(REGEX MATCHALL "\n  ([a-z]+) " lines "\n${CMAKE_MATCH_1}")
    foreach(line IN LISTS lines)
      string(STRIP "${line}" line)
      list(APPEND verbs "${line}")
    endforeach()
  endif()
  set(${out} "${verbs}" PARENT_SCOPE)
endfunction()

help_of(main)
verbs_in(verbs "${main}")
if(NOT verbs)
  message(FATAL_ERROR "no verbs found in heart --help")
endif()

roff_block(mainBlock "${main}")
string(TIMESTAMP today "%Y-%m-%d" UTC)
set(page ".TH HEART 1 \"${today}\" \"heart ${VERSION}\" \"User Commands\"
.SH NAME
heart \\- draws hearts into a vector drawing through the Heart filter plug-in
.SH SYNOPSIS
.B heart
[\\fB\\-\\-plugin\\fR \\fIPATH\\fR] \\fIVERB\\fR [\\fIOPTIONS\\fR]
.SH DESCRIPTION
${mainBlock}")
foreach(verb IN LISTS verbs)
  help_of(text ${verb})
  roff_block(block "${text}")
  string(TOUPPER "${verb}" title)
  string(APPEND page ".SH \"HEART ${title}\"\n${block}")
  verbs_in(inner "${text}")
  foreach(part IN LISTS inner)
    help_of(text ${verb} ${part})
    roff_block(block "${text}")
    string(APPEND page ".SS \"heart ${verb} ${part}\"\n${block}")
  endforeach()
endforeach()
string(APPEND page ".SH OUTPUT FORMATS
.TP
.B SVG
The document as SVG 1.1, its layers marked as Inkscape layers, the run's record in \\fI<metadata id=\"heart-run\">\\fR.
.TP
.B PNG
The page, one pixel a point, drawn with cairo.
.TP
.B PDF
The page in points, the art as vector paths. PDF from cairo holds RGB only: a gray of ink g is written as 1 \\- g in each component; cyan, magenta, yellow and black as (1 \\- c)(1 \\- k), (1 \\- m)(1 \\- k), (1 \\- y)(1 \\- k); each rounded to 1/255, as the SVG and PNG show them. The run's record is in the Keywords of the document information, after the word heart-run, so \\fB\\-\\-from\\fR takes a PDF too.
.SH EXIT STATUS
.TP
.B 0
The verb did its work.
.TP
.B 1
It failed: a file could not be read or written, the plug-in or the drawing failed. Nothing was written.
.TP
.B 2
The command line was faulty (an unknown option, a value out of range, an unknown output format, an output that is one of the inputs). Nothing ran.
.TP
.B 3
The options dialog was cancelled. Nothing was written.
.SH ENVIRONMENT
.TP
.B HEART_RECORD
The stored parameter record, instead of \\fI~/.config/heart/Norv_Heart.record\\fR.
.TP
.B HEART_PLUGIN_PATH
The plug-in module, or a folder of modules, when \\fB\\-\\-plugin\\fR is not given.
.TP
.B XDG_CONFIG_HOME
The folder of \\fIheart/Norv_Heart.record\\fR instead of \\fI~/.config\\fR.
.SH FILES
.TP
.I ~/.config/heart/Norv_Heart.record
The stored parameter record, 340 bytes, read before and saved after a confirmed dialog.
")
file(WRITE ${OUTPUT} "${page}")
