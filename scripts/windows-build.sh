# Sourced by the Windows scripts: the programs the cross build takes from a
# build for this machine, and the cross build's own settings.
windows_host=$PWD/build/windows/host

# Builds the named programs for this machine.
build_host_programs() {
    cmake -S . -B "$windows_host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$windows_host" --target "$@"
}

# Configures a cross build in the folder given, with the settings that follow.
configure_cross_build() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
        -DKORVAN_ICON_TOOL="$windows_host/res/korvan_iconpng" \
        -DKORVAN_CATALOGUE_TOOL="$windows_host/framework/cataloguegen" "$@"
}
