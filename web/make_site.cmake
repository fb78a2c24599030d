cmake_minimum_required(VERSION 3.25)

# Fills the served folder: the page with the accordion's markup and the
# core's captions in place of its @Key@ marks, the styles,
# the module, the compiled core and a service worker whose cache name
# changes with every file it caches.

file(MAKE_DIRECTORY ${SITE})
get_filename_component(core_dir ${CORE_JS} DIRECTORY)
get_filename_component(core_name ${CORE_JS} NAME_WE)
file(COPY ${CORE_JS} ${core_dir}/${core_name}.wasm DESTINATION ${SITE})
file(COPY ${PAGE}/style.css ${PAGE}/tarvik.mjs ${PAGE}/manifest.webmanifest DESTINATION ${SITE})

file(READ ${PAGE}/index.html.in html)
file(READ ${SECTIONS} sections)
include(${CAPTIONS})
# A mark with no caption would leave the page silently blank there.
string(REGEX MATCHALL "@[A-Za-z0-9]+@" marks "${html}")
foreach(mark IN LISTS marks)
    string(REPLACE "@" "" key ${mark})
    if(NOT DEFINED ${key})
        message(FATAL_ERROR "index.html.in names ${mark}, which the captions table lacks")
    endif()
endforeach()
string(CONFIGURE "${html}" html @ONLY)
string(REPLACE "<!-- sections -->" "${sections}" html "${html}")
file(WRITE ${SITE}/index.html "${html}")

set(cached index.html style.css tarvik.mjs ${core_name}.js ${core_name}.wasm manifest.webmanifest
    favicon.png icon-192.png icon-512.png)
set(digests "")
foreach(f IN LISTS cached)
    file(SHA256 ${SITE}/${f} digest)
    string(APPEND digests ${digest})
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 VERSION)
list(TRANSFORM cached PREPEND "'./")
list(TRANSFORM cached APPEND "'")
list(JOIN cached ", " FILES)
configure_file(${PAGE}/sw.js.in ${SITE}/sw.js @ONLY)
