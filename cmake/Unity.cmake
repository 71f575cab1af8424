# Unity builds (GAME_UNITY: the check build and the ThreadSanitizer build). A library's files
# are compiled a few at a time, each unit a file that includes them, so that the headers they
# share are parsed and their inline code instantiated once per unit instead of once per file:
# about a third of the cold build's work. File-local names must therefore differ across a
# library (the compiler says so when two collide). The demo's Release build compiles file by
# file, so a file that lacks an include of its own still fails there.
#
# The units name their files relative to the repository root, never by absolute path: the
# compiler cache then serves a fresh clone the objects of the working tree, as it does for
# files compiled alone.
set(GAME_UNITY_FILES 16 CACHE STRING "Source files a unity unit holds at most")

# game_unity(TARGET): replaces TARGET's sources by units of at most GAME_UNITY_FILES files, each
# unit within one folder, so that a change recompiles only its neighbours.
function(game_unity target)
  if(NOT GAME_UNITY)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  set(units)
  set(batch "")
  set(count 0)
  set(folder "")
  set(index 0)
  # Sorted, so that a unit's files do not depend on the order the glob found them in.
  list(SORT sources)
  list(APPEND sources "<end>")
  foreach(source IN LISTS sources)
    set(relative "")
    set(source_folder "<end>")
    if(NOT source STREQUAL "<end>")
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
      get_filename_component(source_folder ${relative} DIRECTORY)
    endif()
    if(count GREATER 0 AND (count EQUAL GAME_UNITY_FILES OR NOT source_folder STREQUAL folder))
      string(REPLACE "/" "_" stem "${folder}")
      set(unit "${CMAKE_CURRENT_BINARY_DIR}/unity/${target}/${stem}_${index}.cpp")
      file(CONFIGURE OUTPUT "${unit}" CONTENT "${batch}")
      list(APPEND units "${unit}")
      math(EXPR index "${index} + 1")
      set(batch "")
      set(count 0)
    endif()
    if(NOT source_folder STREQUAL folder)
      set(index 0)
    endif()
    if(NOT source STREQUAL "<end>")
      string(APPEND batch "#include \"${relative}\"\n")
      math(EXPR count "${count} + 1")
      set(folder "${source_folder}")
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY SOURCES ${units})
endfunction()
