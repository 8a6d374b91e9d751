# Fails when a file under src/ includes a header of a layer it may not use.
# Run as: cmake -DSRC=<src dir> -P layer_rules.cmake
cmake_minimum_required(VERSION 3.16)
# Layers from the bottom: layout and files, gif, document, windows, tools, ui,
# app. layout/layout.h (where everything sits on the screen) depends on nothing
# and is read by every layer. app/app.h alone is read by every layer above
# files: the options, the mouse snapshot and the loaded interface images and fonts.
set(ALLOWED_layout "")
set(ALLOWED_files "")
set(ALLOWED_gif "files")
set(ALLOWED_document "layout;files;app/app.h")
set(ALLOWED_windows "layout;files;app/app.h")
set(ALLOWED_tools "layout;document;files;app/app.h")
set(ALLOWED_ui "layout;tools;windows;document;gif;files;app/app.h")
set(ALLOWED_app "layout;ui;tools;windows;document;gif;files")

file(GLOB sources "${SRC}/*/*.cpp" "${SRC}/*/*.h")
set(broken "")
foreach(source ${sources})
  get_filename_component(dir "${source}" DIRECTORY)
  get_filename_component(folder "${dir}" NAME)
  file(STRINGS "${source}" includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
    string(REGEX REPLACE "/.*" "" header_folder "${header}")
    if(header_folder STREQUAL folder OR header_folder IN_LIST ALLOWED_${folder} OR header IN_LIST ALLOWED_${folder})
      continue()
    endif()
    list(APPEND broken "${source} includes ${header}")
  endforeach()
endforeach()
if(broken)
  list(JOIN broken "\n  " text)
  message(FATAL_ERROR "Layer rules broken (see ARCHITECTURE.md):\n  ${text}")
endif()
