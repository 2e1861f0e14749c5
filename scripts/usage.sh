# Sourced first by every script here, with that script's arguments: -h or --help among them
# prints the comment at the head of the script (what it does and its usage) and exits 0, before
# the script does anything else. `usage_error TEXT` says what was wrong, prints the same
# usage and exits 2.
# Usage: . "$(dirname "$0")/usage.sh"   (near the top of a script in scripts/)

usage() {
    sed -n '1{/^#!/d;};/^#/!q;s/^# \{0,1\}//p' "$0"
}

usage_error() {
    echo "$(basename "$0"): $*" >&2
    usage >&2
    exit 2
}

for arg; do
    case $arg in
    -h | --help)
        usage
        exit 0
        ;;
    esac
done
unset arg
