# Installs the Debian packages a script needs when they are missing.
# As root it runs apt-get itself; otherwise it prints the line to run.
# Sourced by the scripts in scripts/.

# ensure_packages PACKAGE... : returns when all are installed.
ensure_packages() {
  local missing=() package status
  for package in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0

  local line="apt-get install -y --no-install-recommends ${missing[*]}"
  if ((EUID != 0)); then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root, then run this again:" >&2
    echo "  sudo apt-get update && sudo $line" >&2
    exit 1
  fi
  echo "Installing missing Debian packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# ensure_locale NAME : makes a locale such as de_DE.UTF-8 when it is missing.
ensure_locale() {
  local name=$1 normal
  # locale -a writes de_DE.utf8 for de_DE.UTF-8.
  normal=$(sed 's/\.UTF-8$/.utf8/' <<<"$name")
  locale -a 2>/dev/null | grep -qxF "$normal" && return 0
  ensure_packages locales
  local line="localedef -i ${name%%.*} -f UTF-8 $name"
  if ((EUID != 0)); then
    echo "Missing locale $name; make it as root, then run this again:" >&2
    echo "  sudo $line" >&2
    exit 1
  fi
  echo "Making the locale $name"
  $line
}
