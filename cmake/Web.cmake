# The web build (emcmake cmake): the program as WebAssembly with a page around it.
#
#   sfml-system, sfml-window, sfml-graphics   the part of SFML 2's API that src/ uses, written for
#                 the browser on emscripten's html5.h and WebGL (sfml-web/README.md); the same
#                 target names as Debian's SFML, so quelvane_core links them unchanged
#   quelvane      page/main.cpp's main loop instead of src/app/main.cpp, and page/KeyBar.cpp's
#                 key table for the page's on-screen keys: quelvane.js, quelvane.wasm
#   index.html    the page (page/index.html), beside courier.ttf, in the build folder
#
# The platform layer (sfml-web/) is below src/ and includes nothing of it; the page (page/) is
# above both.
#
#   QUELVANE_WEB_DEPS   the prefix FreeType was built into (scripts/web.sh)

set(QUELVANE_WEB_DEPS "" CACHE PATH "Prefix of FreeType built for the web (scripts/web.sh)")
if(NOT EXISTS "${QUELVANE_WEB_DEPS}/lib/libfreetype.a")
  message(FATAL_ERROR "FreeType for the web not found in QUELVANE_WEB_DEPS='${QUELVANE_WEB_DEPS}': "
                      "source scripts/deps.sh and scripts/web.sh, then quelvane_build_web")
endif()

set(QUELVANE_SFML_WEB_DIR ${CMAKE_CURRENT_LIST_DIR}/../sfml-web)
set(QUELVANE_PAGE_DIR ${CMAKE_CURRENT_LIST_DIR}/../page)

# The program's C++ exceptions (std::bad_alloc, std::runtime_error) are caught in main and in the
# frame loop, so catching stays on (emscripten turns it off by default).
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
# wasm SIMD for the fast kernels' two-lane level (src/field/fast): a module with SIMD in it loads
# only in a browser that runs wasm SIMD (Chrome 91, Firefox 89, Safari 16.4 and later).
add_compile_options(-msimd128)

add_library(web_freetype STATIC IMPORTED)
set_target_properties(web_freetype PROPERTIES
  IMPORTED_LOCATION ${QUELVANE_WEB_DEPS}/lib/libfreetype.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUELVANE_WEB_DEPS}/include/freetype2)

function(quelvane_web_sfml name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${QUELVANE_SFML_WEB_DIR}/src/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${QUELVANE_SFML_WEB_DIR}/include
                                     PRIVATE ${QUELVANE_SFML_WEB_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

quelvane_web_sfml(sfml-system System)
quelvane_web_sfml(sfml-window Window sfml-system)
quelvane_web_sfml(sfml-graphics Graphics sfml-window web_freetype)

add_executable(quelvane ${QUELVANE_PAGE_DIR}/main.cpp ${QUELVANE_PAGE_DIR}/KeyBar.cpp)
target_link_libraries(quelvane PRIVATE quelvane_core)
# The key bar names keys as the window layer's key map does.
target_include_directories(quelvane PRIVATE ${QUELVANE_SFML_WEB_DIR}/src)
add_dependencies(quelvane font)
# WebGL 1, the most widely available; memory grows up to wasm32's 4 GB, and an allocation that
# cannot be met returns null (operator new: std::bad_alloc) rather than aborting. The page
# (page/index.html) gives Module its arguments, canvas, output and the font, through FS.
target_link_options(quelvane PRIVATE
  -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB
  -sABORTING_MALLOC=0 -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,UTF8ToString
  -sENVIRONMENT=web -sEXIT_RUNTIME=0)

configure_file(${QUELVANE_PAGE_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html COPYONLY)
