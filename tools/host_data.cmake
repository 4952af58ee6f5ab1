# A cross build's data/: this folder built again as a project of its own for
# the build machine, whose generator writes ASSETGEN_DATA_DIR. The data are
# the same bytes on every machine, so the target never has to run it.
# The cross build's compiler, flags and pkg-config settings, from CMake's cache
# or from the environment that dpkg-buildpackage and debhelper set, are the
# target's: none of them reach this build.
include(ExternalProject)
set(DEMO_HOST_CXX c++ CACHE STRING "The build machine's C++ compiler, for the generator")
ExternalProject_Add(host_assetgen
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
    BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/host
    CONFIGURE_COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS
        --unset=CPPFLAGS --unset=LDFLAGS --unset=PKG_CONFIG --unset=PKG_CONFIG_PATH
        --unset=PKG_CONFIG_LIBDIR --unset=PKG_CONFIG_SYSROOT_DIR
        ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -G ${CMAKE_GENERATOR}
        -DCMAKE_CXX_COMPILER=${DEMO_HOST_CXX} -DCMAKE_BUILD_TYPE=Release
        -DASSETGEN_WEB_JPEGS=OFF -DASSETGEN_DATA_DIR=${ASSETGEN_DATA_DIR}
    INSTALL_COMMAND ""
    # The generator's own build decides what changed since the last run.
    BUILD_ALWAYS ON
)
add_custom_target(data ALL DEPENDS host_assetgen)
