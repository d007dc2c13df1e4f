# 64-bit ARM (Raspberry Pi OS bookworm) with Debian's cross compiler and the :arm64 multiarch libraries in
# /usr/lib/aarch64-linux-gnu. Qt's own tools (moc, uic, rcc) come from the native Qt of the build machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Multiarch: the arm64 libraries and their CMake packages sit beside the native ones under /usr.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config for the arm64 libraries")

execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH OUTPUT_VARIABLE _kavro_build_multiarch
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH /usr CACHE PATH "Prefix of the native Qt whose tools the build runs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${_kavro_build_multiarch}/cmake CACHE PATH "CMake packages of the native Qt")

# Test discovery and ctest run the arm64 programs through user-mode QEMU; no binfmt handler is needed.
find_program(KAVRO_QEMU_AARCH64 qemu-aarch64-static)
if(KAVRO_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KAVRO_QEMU_AARCH64})
endif()
