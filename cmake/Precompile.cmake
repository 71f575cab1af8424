# Precompiled standard (and test framework) headers, for the builds that ask for them
# (GAME_PCH: the check build and the ThreadSanitizer build). They are parsed once per set of
# flags instead of once per file, which takes a third off clang's cold build and a sixth off
# g++'s.
#
# The header is compiled in a folder under the user's cache named by the compiler and the
# flags, never inside the build tree: a precompiled header records the paths it was made from,
# and one made in the build tree would differ in every clone, so the compiler cache could not
# serve a fresh clone the objects of the working tree. Made the same way anywhere, it is the
# same file, and a clone reuses it. The demo's Release build goes without, so a file that lacks
# an include of its own still fails there.
set(GAME_PCH_HEADERS <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <map> <memory>
  <string> <string_view> <unordered_map> <utility> <vector>)
set(GAME_PCH_CACHE "${GAME_USER_CACHE}/game-pch" CACHE PATH "Where precompiled headers live")

# game_precompile(TARGET [HEADERS h...] [USING t...]): TARGET's files start from the precompiled
# standard headers and HEADERS, made with the definitions and options the USING targets give
# their users.
# Call it after the target's own compile options are set.
function(game_precompile target)
  if(NOT GAME_PCH)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HEADERS;USING")
  set(definitions)
  foreach(used IN LISTS arg_USING)
    get_target_property(used_definitions ${used} INTERFACE_COMPILE_DEFINITIONS)
    if(used_definitions)
      list(TRANSFORM used_definitions PREPEND -D)
      list(APPEND definitions ${used_definitions})
    endif()
    get_target_property(used_options ${used} INTERFACE_COMPILE_OPTIONS)
    if(used_options)
      list(APPEND definitions ${used_options})
    endif()
  endforeach()
  get_target_property(options ${target} COMPILE_OPTIONS)
  if(NOT options)
    set(options)
  endif()
  get_target_property(type ${target} TYPE)
  set(pic -fPIC)
  if(type STREQUAL "EXECUTABLE")
    set(pic -fPIE)
  endif()
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  separate_arguments(base UNIX_COMMAND "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  # The file's own flags (and for clang no timestamp), so the same flags make the same file.
  set(flags ${base} ${CMAKE_CXX20_STANDARD_COMPILE_OPTION} ${pic} ${options} ${definitions})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    list(APPEND flags -Xclang -fno-pch-timestamp)
    set(made pch.pch)
    set(use -Xclang -fno-pch-timestamp -include-pch "<folder>/pch.pch")
  else()
    # g++ takes the compiled header in place of pch.h beside it, and says so when it cannot.
    set(made pch.h.gch)
    set(use -Winvalid-pch -include "<folder>/pch.h")
  endif()
  set(headers ${GAME_PCH_HEADERS} ${arg_HEADERS})
  string(SHA1 key "${CMAKE_CXX_COMPILER};${CMAKE_CXX_COMPILER_VERSION};${flags};${headers}")
  string(SUBSTRING "${key}" 0 16 key)
  set(folder "${GAME_PCH_CACHE}/${key}")
  list(TRANSFORM use REPLACE "<folder>" "${folder}")
  set(content "")
  foreach(header IN LISTS headers)
    string(APPEND content "#include ${header}\n")
  endforeach()
  file(CONFIGURE OUTPUT "${folder}/pch.h" CONTENT "${content}")
  if(NOT TARGET game_pch_${key})
    string(SHA1 scratch "${CMAKE_BINARY_DIR}")
    # The folder's name stands for its content, so a file already there is kept: g++ does not
    # make the same bytes twice, and a new one would make every object of every other build
    # out of date. Another build may make it at the same time: each writes its own scratch
    # file and renames it into place, so a reader never sees half a file. (After an upgrade of
    # the standard library under the same compiler version, remove the folder.)
    add_custom_command(OUTPUT "${folder}/${made}"
      COMMAND sh -c "test -f ${made} || { \"$0\" \"$@\" -o ${made}.${scratch} && mv -f ${made}.${scratch} ${made}; }" ${CMAKE_CXX_COMPILER} ${flags} -x c++-header pch.h
      DEPENDS "${folder}/pch.h"
      WORKING_DIRECTORY "${folder}"
      COMMENT "Precompiling headers in ${folder}"
      VERBATIM)
    add_custom_target(game_pch_${key} DEPENDS "${folder}/${made}")
  endif()
  add_dependencies(${target} game_pch_${key})
  target_compile_options(${target} PRIVATE ${use})
endfunction()
