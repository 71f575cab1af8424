# Sources of a folder. Globbing keeps the one-class-a-file layout free of list edits;
# CONFIGURE_DEPENDS re-runs the glob when files come or go.
function(game_glob_sources out folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
