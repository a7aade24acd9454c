# Checks the folder layering of the sources: each folder includes only the
# folders below it, the model (settings/) knows no Qt at all, and the Qt
# services that the platform layer wraps (dates, icons, the font
# database) are reached only through it.
# Run as: cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR not given")
endif()

# What each folder may include besides itself.
set(allowed_platform "")
set(allowed_settings "platform")
set(allowed_controls "platform;settings")
set(allowed_grid "platform;settings;controls")
set(allowed_link "platform;settings;controls")
set(allowed_transitions "platform")
set(allowed_dbexport "platform")
set(allowed_app "platform;settings;controls;grid;link;transitions;dbexport")
set(folders platform settings controls grid link transitions dbexport app)
# Folders that stay plain C++.
set(qt_free settings)
# Qt headers for platform/ alone.
set(platform_only_qt QDate QDateTime QTime QTimeZone QIcon QFontDatabase)

set(problems "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/")
        set(target ${CMAKE_MATCH_1})
        set(allowed ${allowed_${folder}})
        if(NOT target STREQUAL folder AND target IN_LIST folders AND NOT target IN_LIST allowed)
          list(APPEND problems "${shown}: ${folder}/ must not include ${target}/ (${line})")
        endif()
      elseif(folder IN_LIST qt_free AND line MATCHES "#[ \t]*include[ \t]*<Q")
        list(APPEND problems "${shown}: ${folder}/ is Qt-free (${line})")
      elseif(NOT folder STREQUAL "platform" AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]+)>")
        set(header ${CMAKE_MATCH_1})
        if(header IN_LIST platform_only_qt)
          list(APPEND problems "${shown}: ${header} is reached through platform/ (${line})")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "Layering broken:\n${text}")
endif()
message(STATUS "Layering holds")
