# Builds each probe target (PROBES: TARGET=HEADER;...) in BUILD_DIR and
# expects each to fail because HEADER is not on its include path.
set(failures 0)
foreach(probe ${PROBES})
    string(REPLACE "=" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    string(REPLACE "." "\\." pattern "${header}")
    # GCC: "fatal error: x/y.h: No such file or directory"; clang: "'x/y.h' file not found".
    if(status EQUAL 0)
        message("${target}: built, so ${header} is reachable where it must not be")
        math(EXPR failures "${failures} + 1")
    elseif(NOT output MATCHES "${pattern}'?:? (No such file or directory|file not found)")
        message("${target}: failed for another reason than the missing ${header}:\n${output}")
        math(EXPR failures "${failures} + 1")
    else()
        message("${target}: ${header} not found, as it must not be")
    endif()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} boundary probe(s) did not fail as they must")
endif()
