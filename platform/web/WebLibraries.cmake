# The browser build (emcc's CMake toolchain): the libraries come from the
# prefix tools/web/build-libraries.sh fills, under the names the desktop
# build finds them by, so every folder links them the same way.
set(BRINDLE_WEB_PREFIX "" CACHE PATH "Where the libraries built with emcc are")
if(NOT EXISTS "${BRINDLE_WEB_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "BRINDLE_WEB_PREFIX (${BRINDLE_WEB_PREFIX}) holds no libraries: run tools/web/build-libraries.sh")
endif()

function(brindle_web_library target file includes)
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION "${BRINDLE_WEB_PREFIX}/lib/${file}"
                                             INTERFACE_INCLUDE_DIRECTORIES "${includes}")
endfunction()

set(web_include "${BRINDLE_WEB_PREFIX}/include")
brindle_web_library(ZLIB::ZLIB libz.a "${web_include}")
brindle_web_library(PNG::PNG libpng16.a "${web_include}")
set_target_properties(PNG::PNG PROPERTIES INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
brindle_web_library(PkgConfig::DEFLATE libdeflate.a "${web_include}")
brindle_web_library(Freetype::Freetype libfreetype.a "${web_include}/freetype2")
set_target_properties(Freetype::Freetype PROPERTIES INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
brindle_web_library(PkgConfig::SNDFILE libsndfile.a "${web_include}")
brindle_web_library(PkgConfig::SDL2 libSDL2.a "${web_include}/SDL2")
brindle_web_library(GIF::GIF libgif.a "${web_include}")
brindle_web_library(JPEG::JPEG libjpeg.a "${web_include}")
# glm is headers only; the system's include folder itself must stay out of
# a browser build, so it is reached through a folder of its own.
find_path(glm_system_dir glm/glm.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/glm-include")
file(CREATE_LINK "${glm_system_dir}/glm" "${CMAKE_BINARY_DIR}/glm-include/glm" SYMBOLIC)
set(GLM_INCLUDE_DIR "${CMAKE_BINARY_DIR}/glm-include")

# Game code reports damaged data with exceptions; the step loop's waits hand
# control back to the browser and come back to where they were (Asyncify).
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
set(BRINDLE_TESTS OFF CACHE BOOL "" FORCE)
set(BRINDLE_BENCHMARKS OFF CACHE BOOL "" FORCE)

# How the runner is linked for the page that brindle-pack --web writes: the
# page starts it (callMain) once the game's data is in its file system, and
# keeps saves in the browser's storage (IDBFS).
# Without Asyncify a wait ends the page: only for measuring what it costs.
option(BRINDLE_WEB_ASYNCIFY "Let waits hand control back to the browser (Asyncify)" ON)
if(BRINDLE_WEB_ASYNCIFY)
  set(web_waits -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=1048576)
endif()
set(BRINDLE_WEB_LINK_OPTIONS
  ${web_waits}
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sTOTAL_STACK=8388608
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sFORCE_FILESYSTEM=1 -lidbfs.js -lopenal
  "-sEXPORTED_RUNTIME_METHODS=['FS','callMain','ENV']"
  -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 -sENVIRONMENT=web)
