# Sourced by the checks that need a fresh Debian root: make_debian_root
# SUITE DIR PACKAGES [APT-PACKAGE] builds one with debootstrap from the
# mirror the host's package manager uses (and adds one package with apt),
# and mounts /dev (with /dev/pts) and /proc in it;
# install_in_root DIR PACKAGES... adds packages with apt, which orders
# larger sets (lintian's) where debootstrap's --include fails;
# remove_debian_root DIR undoes make_debian_root.
#
# With LINEINPUT_ROOT_CACHE set to a folder, as .ci/run sets it, the first
# root of each suite and package list is made there once (cache_debian_root),
# under a lock, as checks may run side by side; every root is then a copy of it, the same
# files a new debootstrap would write, in seconds instead of a minute.

debootstrap_root() { # suite dir packages
  local mirror
  mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  mirror=${mirror:-$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)}
  debootstrap --variant=minbase --include="$3" "$1" "$2" "$mirror" \
    >"$2.log" 2>&1 || { tail -n 30 "$2.log"; return 1; }
}

# cache_debian_root SUITE PACKAGES [APT-PACKAGE] makes the kept root if it
# is not there yet (with a package, from a copy of the one without), and
# sets kept to its path.
cache_debian_root() {
  local base=$LINEINPUT_ROOT_CACHE/$1-${2//,/-}
  [ -z "${3:-}" ] || cache_debian_root "$1" "$2" || return 1
  kept=$base${3:+-$3}
  (
    flock 9
    [ -d "$kept" ] || {
      if [ -n "${3:-}" ]; then cp -a "$base" "$kept.new" && install_in_root "$kept.new" "$3"
      else debootstrap_root "$1" "$kept.new" "$2"; fi && mv "$kept.new" "$kept"
    }
  ) 9>"$kept.lock"
}

make_debian_root() { # suite dir packages [apt-packages]
  local suite=$1 root=$2 packages=$3 kept
  if [ -n "${LINEINPUT_ROOT_CACHE:-}" ]; then
    cache_debian_root "$suite" "$packages" "${4:-}" || return 1
    cp -a "$kept" "$root"
  else
    debootstrap_root "$suite" "$root" "$packages"
    [ -z "${4:-}" ] || install_in_root "$root" "$4"
  fi
  mount --rbind /dev "$root/dev"
  mount -t proc proc "$root/proc"
}

install_in_root() {
  local root=$1
  shift
  chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "$@" >"$root.apt.log" 2>&1 ||
    { tail -n 30 "$root.apt.log"; return 1; }
}

remove_debian_root() {
  local root=$1 m
  for m in "$root/dev" "$root/proc"; do
    if mountpoint -q "$m" 2>/dev/null; then umount -l "$m"; fi
  done
  rm -rf --one-file-system "$root" "$root.log" "$root.apt.log"
}
