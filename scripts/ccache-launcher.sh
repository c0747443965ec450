# Sourced by the build scripts, with `top` set to the repository: when ccache is installed, every
# compile goes through it (`launcher` holds the CMake arguments), so a second build of the same
# sources (another clone, CI) is short.
launcher=()
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
# Builds with debug information would otherwise be cached per build folder, never shared by a clone.
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
