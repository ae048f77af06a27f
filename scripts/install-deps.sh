#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
# Calls apt-get only for packages that are missing; works as root or through sudo.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake pkg-config clang libclang-rt-14-dev
  # libraries
  libcli11-dev nlohmann-json3-dev
  libsdl2-dev libepoxy-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libstb-dev libfreetype-dev fonts-dejavu-core libimgui-dev libmeshoptimizer-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  libtinygltf-dev assimp-utils
)

# The glTF validator the tests run comes from npm, pinned by its lock file.
install_validator() {
  local dir
  dir="$(cd "$(dirname "$0")/.." && pwd)/tests/gltf-validator"
  if [ ! -d "$dir/node_modules/gltf-validator" ]; then
    echo "install-deps: installing the glTF validator (npm ci)"
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# Node.js may come from elsewhere than Debian with its own npm: only the commands matter.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  install_validator
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    echo "install-deps: missing packages (${missing[*]}) and not root, no sudo" >&2; exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
install_validator
