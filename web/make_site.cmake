cmake_minimum_required(VERSION 3.25)

# Fills the served folder: the page with the accordion's markup and the
# core's captions in place of its @Key@ marks, the styles,
# the module, the compiled core and a service worker whose cache name
# changes with every file it caches.

file(MAKE_DIRECTORY ${SITE})
# The calculator's module and the estimate's, each a glue script and its
# WebAssembly.
foreach(glue ${CORE_JS} ${ESTIMATE_JS})
    get_filename_component(dir ${glue} DIRECTORY)
    get_filename_component(name ${glue} NAME_WE)
    # Emscripten optimises once; optimising until nothing changes takes a
    # few hundred bytes more off each module.
    execute_process(COMMAND ${WASM_OPT} -Oz --converge --enable-exception-handling --enable-sign-ext
                            --enable-mutable-globals ${dir}/${name}.wasm -o ${SITE}/${name}.wasm
                    COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND modules ${name}.js ${name}.wasm)
endforeach()
# The scripts go out minified: a third of the page's bytes were names and
# spaces no browser needs.
file(GLOB page_scripts RELATIVE ${PAGE} ${PAGE}/*.mjs)
list(TRANSFORM page_scripts PREPEND ${PAGE}/ OUTPUT_VARIABLE page_script_paths)
foreach(script ${CORE_JS} ${ESTIMATE_JS} ${page_script_paths})
    get_filename_component(name ${script} NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${NODE_MODULES} ${NODE} ${TERSER} ${script}
                            --module --compress --mangle --output ${SITE}/${name}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# The styles lose their comments and spaces the same way (level 1: nothing
# that could change what a rule means).
execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${NODE_MODULES} ${NODE} ${CLEANCSS} -O1
                        -o ${SITE}/style.css ${PAGE}/style.css
                COMMAND_ERROR_IS_FATAL ANY)

include(${CAPTIONS})
# The page's own files only; web/serve.mjs sends the same policy as a header.
file(READ ${PAGE}/csp.txt ContentSecurityPolicy)
string(STRIP "${ContentSecurityPolicy}" ContentSecurityPolicy)
# Fills a template's @Key@ marks from the captions; a mark with no caption
# would leave the text silently blank.
function(fill_captions template output)
    file(READ ${template} text)
    string(REGEX MATCHALL "@[A-Za-z0-9_]+@" marks "${text}")
    foreach(mark IN LISTS marks)
        string(REPLACE "@" "" key ${mark})
        if(NOT DEFINED ${key})
            message(FATAL_ERROR "${template} names ${mark}, which the captions table lacks")
        endif()
    endforeach()
    string(CONFIGURE "${text}" text @ONLY)
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

fill_captions(${PAGE}/index.html.in html)
file(READ ${SECTIONS} sections)
string(REPLACE "<!-- sections -->" "${sections}" html "${html}")
file(WRITE ${SITE}/index.html "${html}")
fill_captions(${PAGE}/manifest.webmanifest.in manifest)
file(WRITE ${SITE}/manifest.webmanifest "${manifest}")

set(cached index.html style.css ${page_scripts} ${modules} manifest.webmanifest
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
