# The files a distribution expects beside the programs, made at configure time from
# the sources that hold them once: the version (project()), CHANGELOG.md and LICENSE.
#   SKINWRT_RELEASE_DATE   the date of this version's heading in CHANGELOG.md
#   SKINWRT_DOC_DIR        where the generated files are (copyright, changelog.gz,
#                          man1/*.1.gz, the AppStream metainfo)
set(SKINWRT_DOC_DIR ${CMAKE_BINARY_DIR}/package-docs)
set(SKINWRT_APPSTREAM_ID org.skinwright.Skinwright)
set(SKINWRT_MAINTAINER "Skinwright team <team@skinwright.example.org>")
set(SKINWRT_HOMEPAGE "https://skinwright.example.org/")
file(MAKE_DIRECTORY ${SKINWRT_DOC_DIR}/man1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/LICENSE)

find_program(SKINWRT_GZIP gzip REQUIRED)
# gzip -9n: the best compression, and neither the file's name nor its time in the
# header, so the same text always gives the same bytes.
function(skinwrt_gzip source target)
  execute_process(COMMAND ${SKINWRT_GZIP} -9nc ${source}
                  OUTPUT_FILE ${target} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
endfunction()

# The day of the week of an ISO date (0 = Sunday), as a Debian changelog's date needs.
function(skinwrt_weekday year month day out)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(${out} ${weekday} PARENT_SCOPE)
endfunction()

# Appends TEXT to the variable OUT as one changelog item ("  * "), its lines wrapped
# before 80 columns and continued four blanks in.
function(skinwrt_changelog_item text out)
  string(REGEX MATCHALL "[^ ]+" words "${text}")
  set(result "${${out}}")
  set(line "  *")
  foreach(word IN LISTS words)
    # A placeholder (see below) stands for one character.
    string(REGEX REPLACE "@(SEMICOLON|OPEN|CLOSE)@" "x" measured "${line} ${word}")
    string(LENGTH "${measured}" length)
    if(length GREATER 78 AND NOT line MATCHES "^ +[*]?$")
      string(APPEND result "${line}\n")
      set(line "    ${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  string(APPEND result "${line}\n")
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# CHANGELOG.md to a Debian changelog: one entry per "## VERSION - YYYY-MM-DD" heading,
# each paragraph and list item of it one item, prefixed with its "###" group.
# Semicolons and brackets would split or join CMake list items: they travel as
# placeholders and are put back when the file is written.
file(READ ${CMAKE_SOURCE_DIR}/CHANGELOG.md changelog_text)
string(REPLACE ";" "@SEMICOLON@" changelog_text "${changelog_text}")
string(REPLACE "[" "@OPEN@" changelog_text "${changelog_text}")
string(REPLACE "]" "@CLOSE@" changelog_text "${changelog_text}")
string(REPLACE "\n" ";" changelog_lines "${changelog_text}")
list(APPEND changelog_lines "")  # ends the last paragraph
set(debian_changelog "")
set(entry "")
set(version "")
set(group "")
set(paragraph "")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(days Sun Mon Tue Wed Thu Fri Sat)
macro(skinwrt_flush_paragraph)
  if(NOT paragraph STREQUAL "" AND NOT version STREQUAL "")
    string(REPLACE "`" "" paragraph "${paragraph}")
    if(NOT group STREQUAL "")
      set(paragraph "${group}: ${paragraph}")
    endif()
    skinwrt_changelog_item("${paragraph}" entry)
  endif()
  set(paragraph "")
endmacro()
macro(skinwrt_flush_entry)
  skinwrt_flush_paragraph()
  if(NOT version STREQUAL "")
    string(APPEND debian_changelog
           "skinwright (${version}) unstable; urgency=medium\n\n${entry}\n -- ${SKINWRT_MAINTAINER}  ${date}\n\n")
  endif()
  set(entry "")
endmacro()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^## ([0-9][^ ]*) - ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])[ ]*$")
    skinwrt_flush_entry()
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    math(EXPR month "${CMAKE_MATCH_3}")
    math(EXPR day "${CMAKE_MATCH_4}")
    if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR day GREATER 31)
      message(FATAL_ERROR "CHANGELOG.md: the date of version ${version} is not a date: ${line}")
    endif()
    if(version STREQUAL PROJECT_VERSION)
      set(SKINWRT_RELEASE_DATE "${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}")
    endif()
    skinwrt_weekday(${year} ${month} ${day} weekday)
    list(GET days ${weekday} weekday_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    set(date "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000")
    set(group "")
  elseif(line MATCHES "^## ")
    message(FATAL_ERROR "CHANGELOG.md: a version heading reads \"## VERSION - YYYY-MM-DD\", not: ${line}")
  elseif(line MATCHES "^### (.*)$")
    skinwrt_flush_paragraph()
    set(group "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[-*] (.*)$")
    skinwrt_flush_paragraph()
    set(paragraph "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[ ]*$" OR line MATCHES "^# ")
    skinwrt_flush_paragraph()
  else()
    string(STRIP "${line}" line)
    if(paragraph STREQUAL "")
      set(paragraph "${line}")
    else()
      string(APPEND paragraph " ${line}")
    endif()
  endif()
endforeach()
skinwrt_flush_entry()
if(NOT SKINWRT_RELEASE_DATE)
  message(FATAL_ERROR "CHANGELOG.md has no section \"## ${PROJECT_VERSION} - YYYY-MM-DD\" for the version "
                      "in CMakeLists.txt: add what this version changes there")
endif()
string(REPLACE "@SEMICOLON@" ";" debian_changelog "${debian_changelog}")
string(REPLACE "@OPEN@" "[" debian_changelog "${debian_changelog}")
string(REPLACE "@CLOSE@" "]" debian_changelog "${debian_changelog}")
file(WRITE ${SKINWRT_DOC_DIR}/changelog "${debian_changelog}")
skinwrt_gzip(${SKINWRT_DOC_DIR}/changelog ${SKINWRT_DOC_DIR}/changelog.gz)

# LICENSE to a machine-readable Debian copyright file: its permission text becomes
# the body of the licence paragraph (each line one blank in, empty lines as " .").
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license_text)
string(FIND "${license_text}" "Permission is hereby granted" permission_start)
if(permission_start LESS 0)
  message(FATAL_ERROR "LICENSE: the MIT permission notice was not found")
endif()
string(SUBSTRING "${license_text}" ${permission_start} -1 license_body)
string(STRIP "${license_body}" license_body)
string(REGEX REPLACE "\n\n" "\n.\n" license_body "${license_body}")
string(REPLACE "\n" "\n " license_body "${license_body}")
file(WRITE ${SKINWRT_DOC_DIR}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: Skinwright\n"
     "Upstream-Contact: ${SKINWRT_MAINTAINER}\n"
     "Source: ${SKINWRT_HOMEPAGE}\n"
     "\n"
     "Files: *\n"
     "Copyright: 2026 The Skinwright authors\n"
     "License: Expat\n"
     " ${license_body}\n")

# Manual pages, one for every program in bin/ and libexec/, stamped with the version.
foreach(page skinwrt skinwrt-full tweakvx)
  configure_file(${CMAKE_SOURCE_DIR}/desktop/${page}.1.in ${SKINWRT_DOC_DIR}/man1/${page}.1 @ONLY)
  skinwrt_gzip(${SKINWRT_DOC_DIR}/man1/${page}.1 ${SKINWRT_DOC_DIR}/man1/${page}.1.gz)
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/desktop/${SKINWRT_APPSTREAM_ID}.metainfo.xml.in
               ${SKINWRT_DOC_DIR}/${SKINWRT_APPSTREAM_ID}.metainfo.xml @ONLY)
