# WebAssembly (wasm32: 32-bit long and pointers, little-endian, as on 32-bit Windows) built
# with Debian's Emscripten (em++ over LLVM 14's libc++). Every program is a .js loader beside
# its .wasm; CTest runs them, GoogleTest's discovery included, under Node.
find_file(CORVIX_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
          PATHS /usr/share/emscripten/cmake/Modules/Platform
                $ENV{EMSCRIPTEN}/cmake/Modules/Platform
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT CORVIX_EMSCRIPTEN_TOOLCHAIN)
  message(FATAL_ERROR "Emscripten not found: scripts/install-deps --web installs it")
endif()
# Node 20 has a global fetch, which the loader of this Emscripten takes to fetch the .wasm
# by its plain path, and fails; without it the loader reads the file from disk. Set before
# Emscripten's file, which otherwise caches plain node as the emulator.
find_program(CORVIX_NODE node NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CORVIX_NODE};--no-experimental-fetch")
include(${CORVIX_EMSCRIPTEN_TOOLCHAIN})

# The library catches what its members throw (bad_alloc in the reducer among others), so
# exceptions must be caught, not abort. WebAssembly's own exception handling costs nothing
# on the path that throws nothing, where Emscripten's JavaScript emulation sends every call
# inside a try through JavaScript. Every object and the link must agree on it.
set(CORVIX_WASM_EXCEPTIONS -fwasm-exceptions)
# (The toolchain file is read more than once: set, not append.)
set(CMAKE_C_FLAGS_INIT ${CORVIX_WASM_EXCEPTIONS})
set(CMAKE_CXX_FLAGS_INIT ${CORVIX_WASM_EXCEPTIONS})
# Memory grows on demand, and a failed allocation returns null (operator new throws
# bad_alloc) instead of aborting the program, as malloc does elsewhere.
set(CMAKE_EXE_LINKER_FLAGS_INIT "${CORVIX_WASM_EXCEPTIONS} -sALLOW_MEMORY_GROWTH=1 -sABORTING_MALLOC=0")

# The link runs Emscripten's JavaScript optimizer under Node, which needs Debian's acorn from
# /usr/share/nodejs: a Node not from Debian does not look there.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
