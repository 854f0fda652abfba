# Sourced by the set-up scripts: installs those of the Debian packages given that are not
# installed yet, through sudo unless run as root. Nothing is asked of apt when all are there.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}
