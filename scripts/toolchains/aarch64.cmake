# Cross build for aarch64 Linux with Debian's GCC cross compiler, against the
# arm64 libraries that scripts/toolchains/arm64-root unpacks into
# build-deps/arm64 (ARM64_ROOT overrides). Test programs, and the test
# discovery of the build, run under qemu-aarch64 with that root.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

if(NOT ARM64_ROOT)
  get_filename_component(ARM64_ROOT "${CMAKE_CURRENT_LIST_DIR}/../../build-deps/arm64" ABSOLUTE)
endif()
set(ARM64_ROOT "${ARM64_ROOT}" CACHE PATH "Unpacked arm64 libraries (scripts/toolchains/arm64-root)")
set(arm64_libs "${ARM64_ROOT}/usr/lib/aarch64-linux-gnu")

set(CMAKE_FIND_ROOT_PATH "${ARM64_ROOT}" /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the arm64 .pc files and prefixes their paths with the root.
set(ENV{PKG_CONFIG_LIBDIR} "${arm64_libs}/pkgconfig:${ARM64_ROOT}/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${ARM64_ROOT}")

# Headers that Debian keeps per architecture (libjpeg-turbo's jconfig.h).
set(CMAKE_CXX_FLAGS_INIT "-isystem ${ARM64_ROOT}/usr/include/aarch64-linux-gnu")
set(CMAKE_C_FLAGS_INIT "-isystem ${ARM64_ROOT}/usr/include/aarch64-linux-gnu")

# The linker follows the libraries' own dependencies inside the root.
# (libpulse keeps its private library in a folder of its own.)
string(JOIN " " rpath_links "-Wl,-rpath-link,${arm64_libs}" "-Wl,-rpath-link,${arm64_libs}/pulseaudio"
  "-Wl,-rpath-link,${ARM64_ROOT}/lib/aarch64-linux-gnu")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${rpath_links}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${rpath_links}")

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L "${ARM64_ROOT}")
