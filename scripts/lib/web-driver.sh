# Installs what the web page's browser tests and benchmark need: Debian's
# Chromium, Node.js and npm from Debian only when there are none, and the
# driver's packages from tests/web's committed lockfile. Sourced after
# debian-packages.sh.

# ensure_web_driver : returns when `node tests/web/…` can drive Chromium.
ensure_web_driver() {
  ensure_packages chromium
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    ensure_packages nodejs npm
  fi
  # npm ci leaves its own copy of the lockfile in node_modules; an older
  # one means the committed lockfile changed since.
  if [[ ! -f tests/web/node_modules/.package-lock.json ||
    tests/web/package-lock.json -nt tests/web/node_modules/.package-lock.json ]]; then
    (cd tests/web && npm ci --no-audit --no-fund)
  fi
}
