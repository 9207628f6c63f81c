# Turns the numbered text file into a C++ source holding the texts as a constant array
# sorted by number, for the binary search of Str().
#
#   cmake -DINPUT=strings_it.txt -DOUTPUT=StringTableData.cpp -P GenerateStringTable.cmake
#
# Every malformed line and every repeated number is reported with its line number, and
# then the run fails, so that a broken table stops the build instead of losing texts.

if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
  message(FATAL_ERROR "usage: cmake -DINPUT=<table.txt> -DOUTPUT=<source.cpp> -P ${CMAKE_CURRENT_LIST_FILE}")
endif()
if(NOT EXISTS "${INPUT}")
  message(FATAL_ERROR "${INPUT}: no such file")
endif()

file(READ "${INPUT}" content)

# CMake lists split on ";" and treat "[" "]" and "\" specially, so these characters are
# swapped for control characters (which a well-formed table never holds) while the file is
# handled as a list of lines, and swapped back in each text.
string(ASCII 28 BACKSLASH)
string(ASCII 29 SEMICOLON)
string(ASCII 30 OPEN_BRACKET)
string(ASCII 31 CLOSE_BRACKET)

# Control characters other than the line feed between lines and the tab after the number.
# (Reading the file turns CR LF line ends into LF, so a carriage return found here stands
# inside a line.)
set(controls "")
foreach(code RANGE 1 31)
  if(NOT code EQUAL 9 AND NOT code EQUAL 10)
    string(ASCII ${code} char)
    string(APPEND controls "${char}")
  endif()
endforeach()
string(ASCII 127 char)
string(APPEND controls "${char}")

string(REGEX MATCH "[${controls}]" found "${content}")
set(errors "")
if(NOT found STREQUAL "")
  # Report the lines before the swap, so each gets its own number.
  string(REPLACE "\\" "/" scan "${content}")
  string(REPLACE ";" "," scan "${scan}")
  string(REPLACE "[" "(" scan "${scan}")
  string(REPLACE "]" ")" scan "${scan}")
  string(REPLACE "\n" ";" scan "${scan}")
  set(number 0)
  foreach(line IN LISTS scan)
    math(EXPR number "${number} + 1")
    if(line MATCHES "\r")
      string(APPEND errors "${INPUT}:${number}: carriage return inside the line (write it as \\r)\n")
    elseif(line MATCHES "[${controls}]")
      string(APPEND errors "${INPUT}:${number}: control character in the line\n")
    endif()
  endforeach()
  message(FATAL_ERROR "${errors}")
endif()

string(REPLACE "\\" "${BACKSLASH}" content "${content}")
string(REPLACE ";" "${SEMICOLON}" content "${content}")
string(REPLACE "[" "${OPEN_BRACKET}" content "${content}")
string(REPLACE "]" "${CLOSE_BRACKET}" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(ids "")
set(line_number 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  set(where "${INPUT}:${line_number}")
  if(NOT line MATCHES "^([0-9]+)\t(.*)$")
    string(APPEND errors "${where}: expected a number, one tab and the text\n")
    continue()
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(text "${CMAKE_MATCH_2}")

  string(LENGTH "${id}" digits)
  if(id MATCHES "^0.")
    string(APPEND errors "${where}: number ${id} has a leading zero\n")
    continue()
  endif()
  if(digits GREATER 5 OR id GREATER 65535)
    string(APPEND errors "${where}: number ${id} is out of range (0 to 65535)\n")
    continue()
  endif()
  if(text STREQUAL "")
    string(APPEND errors "${where}: number ${id} has no text\n")
    continue()
  endif()
  if(text MATCHES "\t")
    string(APPEND errors "${where}: tab inside the text (write it as \\t)\n")
    continue()
  endif()
  if(DEFINED line_of_${id})
    string(APPEND errors "${where}: number ${id} is already used on line ${line_of_${id}}\n")
    continue()
  endif()

  # Escapes, turned straight into the escapes of a C++ string literal. Pairs of
  # backslashes go first, so that "\\n" is a backslash followed by the letter n.
  string(REPLACE "${BACKSLASH}${BACKSLASH}" "\\\\" text "${text}")
  string(REPLACE "${BACKSLASH}n" "\\n" text "${text}")
  string(REPLACE "${BACKSLASH}r" "\\r" text "${text}")
  string(REPLACE "${BACKSLASH}t" "\\t" text "${text}")
  string(FIND "${text}" "${BACKSLASH}" stray)
  if(NOT stray EQUAL -1)
    string(APPEND errors "${where}: unknown escape or lone backslash (known: \\n \\r \\t \\\\)\n")
    continue()
  endif()
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "${SEMICOLON}" ";" text "${text}")
  string(REPLACE "${OPEN_BRACKET}" "[" text "${text}")
  string(REPLACE "${CLOSE_BRACKET}" "]" text "${text}")

  set(line_of_${id} ${line_number})
  set(literal_of_${id} "${text}")
  list(APPEND ids ${id})
endforeach()

if(ids STREQUAL "" AND errors STREQUAL "")
  string(APPEND errors "${INPUT}: the table holds no texts\n")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "${errors}")
endif()

list(SORT ids COMPARE NATURAL)
get_filename_component(input_name "${INPUT}" NAME)
set(source "// Generated from ${input_name}; edit that file, not this one.\n")
string(APPEND source [=[
#include "app/StringTable.h"

#include <algorithm>
#include <iterator>

namespace parvo::string_table {
namespace {

using namespace std::string_view_literals;

constexpr Entry kEntries[] = {
]=])
foreach(id IN LISTS ids)
  string(APPEND source "    {${id}, \"${literal_of_${id}}\"sv},\n")
endforeach()
string(APPEND source [=[
};

constexpr bool NumbersAscend()
{
    return std::adjacent_find(std::begin(kEntries), std::end(kEntries),
                              [](const Entry& a, const Entry& b) { return a.id >= b.id; })
        == std::end(kEntries);
}
static_assert(NumbersAscend(), "the string table must be sorted by number, each number once");

} // namespace

std::span<const Entry> Entries()
{
    return kEntries;
}

} // namespace parvo::string_table
]=])

# Written aside and renamed, so a failed run never leaves a half-written source behind.
file(WRITE "${OUTPUT}.tmp" "${source}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
