# wasm32 with Debian's emscripten, run under node.
#
# The generated loader calls fetch() wherever it exists, and node 18 and 20
# have it: without --no-experimental-fetch the tests would try to fetch their
# own .wasm file.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The core reports conversion errors as C++ exceptions, and emscripten's
# default catches none: every object and every link, GoogleTest's included,
# uses WebAssembly's own exception handling. No threads: a browser page gets
# them only behind cross-origin isolation headers.
set(CMAKE_C_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1")

# At -O1 and above the link runs emscripten's JavaScript optimiser, which
# needs acorn: Debian's node finds it by itself, other node packages only
# through NODE_PATH.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
