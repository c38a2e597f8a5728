# Every change to a user's file goes through the file helpers (files/), which announce it to the
# history (history/) before it is made, so that it can be undone. Any other code that writes to
# disk itself is a change the history would silently leave out: this check finds writes outside
# those two folders, except the few below that are no change to a catalogue.
# Run as: cmake -DSOURCE_DIR=<root> [-DPROBE=<a line of C++>] -P check-writes.cmake
# (PROBE is checked as if it stood in a product file, for a test that the check fails on it.)
cmake_minimum_required(VERSION 3.21)

# What writes to disk: files and folders made, replaced, removed or renamed.
set(writes
  "QSaveFile"
  "QFile::(remove|rename|copy|link|resize|setPermissions|moveToTrash)"
  "\\.(remove|rmdir|rmpath|removeRecursively|mkdir|mkpath|rename|moveToTrash)\\(\\)"
  "\\.(rmdir|rmpath|mkdir|mkpath|rename|moveToTrash)\\("
  "QIODevice::(WriteOnly|ReadWrite|Append|Truncate)"
  "ofstream|fopen\\([^)]*\"[^\"]*[wa+]"
  "(^|[^A-Za-z0-9_])::(write|unlink|rename|mkdir|rmdir|truncate|ftruncate|link|symlink)\\("
  "O_(WRONLY|RDWR|CREAT)"
  "QSettings"
  "[a-z]\\.save\\([^)]")

# file | what on its lines writes | why it may
set(allowed
  "catalogue/FolderOperations.cpp|mkdir\\(|the item folder is announced to the history on the line before"
  "catalogue/FolderOperations.cpp|rename\\(|the folder's new name is announced to the history on the line before"
  "description/DescriptionRecovery.cpp|mkpath|the recovery files of unsaved descriptions, in the user's state folder"
  "description/DescriptionRecovery.cpp|QFile::remove|the recovery files of unsaved descriptions, in the user's state folder"
  "spelling/KnownWords.cpp|mkpath|ReadWrite|the user's word list, outside every catalogue"
  "pad/ProducerNotes.cpp|mkpath|QSaveFile|WriteOnly|the producer's notes of an imported program, in the user's state folder"
  "rules/IgnoredProblems.cpp|mkpath|QSaveFile|WriteOnly|the problems the user set aside, in the user's state folder"
  "check/CheckCommand.cpp|QSaveFile|WriteOnly|mqvcheck's proof sheet, where the user asked for it"
  "app/WindowPlacement.cpp|QSettings|the user's settings: the window's place"
  "app/RecentCatalogues.cpp|QSettings|the user's settings: the catalogues opened last"
  "editor/WritingAids.cpp|QSettings|the user's settings: whether spelling is checked"
  "app/EndRequests.cpp|::write\\(|the pipe that wakes the event loop on a signal, no file"
  "app/desktop/RenderIcon.cpp|\\.save\\(|draws the icon into the build tree at build time"
  "rules/ItemInspection.cpp|WriteOnly|a buffer in memory"
  "description/RtfPicture.cpp|WriteOnly|\\.save\\(|a buffer in memory"
  "display/PictureConversion.cpp|WriteOnly|\\.save\\(|a buffer in memory")

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(FILTER sources EXCLUDE REGEX "^(build[^/]*|tests|fuzz|bench|files|history)/")

set(wrong "")
foreach(source IN LISTS sources ITEMS probe)
  if(source STREQUAL "probe")
    if(NOT DEFINED PROBE)
      continue()
    endif()
    set(lines "${PROBE}")
  else()
    file(STRINGS "${SOURCE_DIR}/${source}" lines)
  endif()
  set(may "")
  foreach(entry IN LISTS allowed)
    string(REPLACE "|" ";" fields "${entry}")
    list(POP_FRONT fields file)
    list(POP_BACK fields reason)
    if(file STREQUAL source)
      list(APPEND may ${fields})
    endif()
  endforeach()
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*//")
      continue()
    endif()
    foreach(write IN LISTS writes)
      if(NOT line MATCHES "${write}")
        continue()
      endif()
      set(excused FALSE)
      foreach(pattern IN LISTS may)
        if(line MATCHES "${pattern}")
          set(excused TRUE)
        endif()
      endforeach()
      if(NOT excused)
        string(STRIP "${line}" shown)
        list(APPEND wrong "${source}: ${shown}")
      endif()
      break()
    endforeach()
  endforeach()
endforeach()

if(wrong)
  list(JOIN wrong "\n" report)
  message("${report}")
  message(FATAL_ERROR "Writes to disk outside files/ and history/, which the history does not see (above)")
endif()
list(LENGTH sources count)
message(STATUS "No write to disk outside files/ and history/ in ${count} product files but the allowed ones")
