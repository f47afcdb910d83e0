#!/usr/bin/env bash
# Checks of the installed program, as a user on another machine meets it.
#
#   install_check.sh STEP BUILD_DIR WORK_DIR VERSION
#
# stage    installs the build into WORK_DIR/dest with the prefix "/opt/corvane test" (DESTDIR,
#          and a prefix with a blank in it) and checks the layout
# cli      the installed corvane, run from another folder with an empty home
# data     the desktop entry, the AppStream file, the manual pages and the icons
# mime     the project file type under a temporary XDG data home
# package  cpack -G DEB, then dpkg -i into a throw-away root
#
# Exit status: 0 passed, 1 failed, 77 skipped (a tool the step needs is missing; bash
# scripts/setup.sh installs them).
set -uo pipefail

step=$1
build=$(cd "$2" && pwd)
work=$(realpath -m "$3")
prefix="/opt/corvane test"
root="$work/dest"
installed="$root$prefix"
version=$4

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
need() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIPPED: $step needs $tool (bash scripts/setup.sh installs it)"
            exit 77
        fi
    done
}
# An empty home and a folder away from the source and the build to run in; gone at the end.
homes=()
trap 'rm -rf "${homes[@]}"' EXIT
fresh_home() {
    home=$(mktemp -d "$work/home.XXXXXX")
    mkdir -p "$home/elsewhere"
    homes+=("$home")
}
# Runs a program with nothing of the caller's: an empty home, no settings, no source tree.
run_clean() {
    local home=$1
    shift
    (cd "$home/elsewhere" &&
        env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
            XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
            QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$@")
}

case $step in
stage)
    rm -rf "$work"
    mkdir -p "$work"
    if ! DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
        cat "$work/install.log" >&2
        fail "cmake --install"
    fi
    for file in bin/corvane bin/corvane-designer \
        share/corvane/GuiLib/Standard.tpl share/corvane/GuiLib/translate.txt \
        share/corvane/examples/orders.gui share/corvane/examples/orders.bas \
        share/applications/corvane-designer.desktop share/mime/packages/corvane.xml \
        share/icons/hicolor/scalable/apps/corvane-designer.svg \
        share/metainfo/corvane-designer.metainfo.xml \
        share/man/man1/corvane.1 share/man/man1/corvane-designer.1 \
        share/bash-completion/completions/corvane; do
        [[ -f "$installed/$file" ]] || fail "not installed: $file"
    done
    for size in 16 22 24 32 48 64 128 256; do
        [[ -f "$installed/share/icons/hicolor/${size}x$size/apps/corvane-designer.png" ]] ||
            fail "no ${size}x$size icon"
    done
    [[ -x "$installed/bin/corvane" && -x "$installed/bin/corvane-designer" ]] ||
        fail "the programs are not executable"
    ;;

cli)
    fresh_home
    corvane="$installed/bin/corvane"
    examples="$installed/share/corvane/examples"
    out=$(run_clean "$home" "$corvane" --version) || fail "corvane --version: status $?"
    [[ $out == "corvane $version" ]] || fail "corvane --version printed '$out'"
    for option in --help -h; do
        out=$(run_clean "$home" "$corvane" "$option") || fail "corvane $option: status $?"
        [[ $out == usage:* && $out == *--version* ]] || fail "corvane $option printed '$out'"
    done
    for project in "$examples"/*.gui; do
        err=$(run_clean "$home" "$corvane" check "$project" 2>&1 >/dev/null)
        status=$?
        [[ $status == 0 && -z $err ]] || fail "check $(basename "$project"): status $status, '$err'"
    done
    # The code templates and translate.txt come from the installed share/corvane/GuiLib.
    code=$(run_clean "$home" "$corvane" generate "$examples/orders.gui" --casing 3 2>"$work/generate.err")
    status=$?
    [[ $status == 0 && -n $code && ! -s "$work/generate.err" ]] ||
        fail "generate: status $status, $(cat "$work/generate.err")"
    mkdir -p "$home/shots"
    out=$(run_clean "$home" "$corvane" render "$examples/showcase.gui" --output-dir "$home/shots" 2>&1)
    status=$?
    [[ $status == 0 ]] || fail "render: status $status, $out"
    pictures=("$home"/shots/*.png)
    [[ -f ${pictures[0]} ]] || fail "render wrote no picture: $out"
    # Bad input keeps its exit status 2 and its usage line.
    bad_input() {
        local usage=$1
        shift
        err=$(run_clean "$home" "$corvane" "$@" 2>&1 >/dev/null)
        status=$?
        [[ $status == 2 ]] || fail "corvane $*: status $status, not 2"
        [[ $usage == no || $err == *usage:* ]] || fail "corvane $* said '$err'"
    }
    bad_input yes --frobnicate
    bad_input yes check
    bad_input yes check "$examples/orders.gui" --bogus
    bad_input no check "$examples"
    ;;

data)
    need desktop-file-validate man
    out=$(desktop-file-validate "$installed/share/applications/corvane-designer.desktop" 2>&1)
    [[ $? == 0 && -z $out ]] || fail "desktop-file-validate: $out"
    metainfo="$installed/share/metainfo/corvane-designer.metainfo.xml"
    if command -v appstreamcli >/dev/null 2>&1; then
        out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)
        [[ $? == 0 && $out != *"W:"* && $out != *"I:"* && $out != *"P:"* ]] ||
            fail "appstreamcli validate: $out"
    elif command -v xmllint >/dev/null 2>&1; then
        xmllint --noout "$metainfo" || fail "the metainfo is no well-formed XML"
    else
        fail "neither appstreamcli nor xmllint to check the metainfo"
    fi
    for page in corvane.1 corvane-designer.1; do
        out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$installed/share/man/man1/$page" 2>&1 >/dev/null)
        [[ $? == 0 && -z $out ]] || fail "man --warnings $page: $out"
        LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$installed/share/man/man1/$page" 2>/dev/null |
            grep -q "$version" || fail "$page does not name version $version"
    done
    for size in 16 22 24 32 48 64 128 256; do
        png="$installed/share/icons/hicolor/${size}x$size/apps/corvane-designer.png"
        # The width and height in the PNG header.
        dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
        [[ $dims == "${size}x$size" ]] || fail "the ${size}x$size icon is $dims"
    done
    if command -v xmllint >/dev/null 2>&1; then
        xmllint --noout "$installed/share/icons/hicolor/scalable/apps/corvane-designer.svg" ||
            fail "the scalable icon is no well-formed XML"
    fi
    completion="$installed/share/bash-completion/completions/corvane"
    bash -n "$completion" || fail "the completion"
    if [[ -f /usr/share/bash-completion/bash_completion ]]; then
        # What a tab offers after each line, the form IDs coming from the installed corvane.
        fresh_home
        cp "$installed/share/corvane/examples/showcase.gui" "$home/elsewhere/"
        offers=$(PATH="$installed/bin:$PATH" examples="$home/elsewhere" bash -c '
            source /usr/share/bash-completion/bash_completion && source "$1" || exit 1
            for line in "corvane ren" "corvane --v" "corvane render x.gui --output-d" \
                "corvane check x.gui --duplicates s" "corvane render $examples/showcase.gui --form "; do
                read -ra COMP_WORDS <<<"$line"
                [[ $line == *" " ]] && COMP_WORDS+=("")
                COMP_LINE=$line COMP_POINT=${#line} COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=()
                _corvane corvane "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
                echo "${COMPREPLY[*]}"
            done' _ "$completion" 2>&1)
        expected=$'render\n--version\n--output-dir\nskip\nCONTROLS BARS'
        [[ $offers == "$expected" ]] || fail "the completion offers: $offers"
    fi
    ;;

mime)
    need xdg-mime mimetype update-mime-database update-desktop-database
    fresh_home
    data="$home/.local/share"
    mkdir -p "$data/mime/packages" "$data/applications"
    cp "$installed/share/mime/packages/corvane.xml" "$data/mime/packages/"
    cp "$installed/share/applications/corvane-designer.desktop" "$data/applications/"
    XDG_DATA_HOME="$data" update-mime-database "$data/mime" || fail "update-mime-database"
    update-desktop-database "$data/applications" || fail "update-desktop-database"
    # A project by its name, and one whose name says nothing, by its first bytes.
    cp "$installed/share/corvane/examples/login.gui" "$home/elsewhere/login-copy"
    query() {
        env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
            HOME="$home" XDG_DATA_HOME="$data" XDG_DATA_DIRS=/usr/local/share:/usr/share \
            XDG_CONFIG_HOME="$home/.config" xdg-mime query "$@"
    }
    for file in "$installed/share/corvane/examples/orders.gui" "$home/elsewhere/login-copy"; do
        type=$(query filetype "$file" 2>&1)
        [[ $type == application/x-corvane-project ]] || fail "xdg-mime filetype $(basename "$file"): '$type'"
    done
    type=$(query filetype "$installed/share/corvane/examples/orders.bas" 2>&1)
    [[ $type != application/x-corvane-project ]] || fail "a program counts as a project"
    app=$(query default application/x-corvane-project 2>&1)
    [[ $app == corvane-designer.desktop ]] || fail "xdg-mime default: '$app'"
    ;;

package)
    need cpack dpkg dpkg-deb dpkg-shlibdeps
    pkg="$work"
    rm -rf "$pkg"
    mkdir -p "$pkg"
    if ! (cd "$build" && cpack -G DEB -B "$pkg" >"$pkg/cpack.log" 2>&1); then
        cat "$pkg/cpack.log" >&2
        fail "cpack -G DEB"
    fi
    deb="$pkg/corvane_${version}_$(dpkg --print-architecture).deb"
    if [[ ! -f $deb ]]; then
        fail "no $(basename "$deb") in: $(ls "$pkg")"
    else
        depends=$(dpkg-deb -f "$deb" Depends)
        for lib in libqt6widgets6 libqt6core6 libqt6gui6 libqscintilla2-qt6 libfreeimage3; do
            [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
        done
        [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "the package version"
        members=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort | tr '\n' ' ')
        [[ $members == "control md5sums postinst postrm " ]] || fail "control members: $members"
        # Install it into a throw-away root; the maintainer scripts run outside it
        # (DPKG_ROOT) and refresh only that root's caches.
        throwaway="$pkg/root"
        mkdir -p "$throwaway/var/lib/dpkg/info" "$throwaway/var/lib/dpkg/updates" \
            "$throwaway/usr/share/icons/hicolor"
        : >"$throwaway/var/lib/dpkg/status"
        : >"$throwaway/var/lib/dpkg/available"
        if ! dpkg --root="$throwaway" --log="$pkg/dpkg.log" --force-depends --force-not-root \
            --force-script-chrootless --no-triggers -i "$deb" >"$pkg/dpkg.out" 2>&1; then
            cat "$pkg/dpkg.out" >&2
            fail "dpkg -i"
        fi
        for file in usr/bin/corvane usr/bin/corvane-designer usr/share/corvane/GuiLib/translate.txt \
            usr/share/applications/corvane-designer.desktop usr/share/man/man1/corvane.1 \
            usr/share/icons/hicolor/48x48/apps/corvane-designer.png; do
            [[ -f "$throwaway/$file" ]] || fail "the package did not install $file"
        done
        if command -v update-mime-database >/dev/null 2>&1; then
            [[ -f "$throwaway/usr/share/mime/mime.cache" ]] || fail "postinst did not refresh the MIME cache"
        fi
        if command -v update-desktop-database >/dev/null 2>&1; then
            grep -q "^application/x-corvane-project=corvane-designer.desktop" \
                "$throwaway/usr/share/applications/mimeinfo.cache" ||
                fail "postinst did not refresh the desktop database"
        fi
        fresh_home
        out=$(run_clean "$home" "$throwaway/usr/bin/corvane" check "$throwaway/usr/share/corvane/examples/orders.gui" 2>&1)
        [[ $? == 0 ]] || fail "the packaged corvane: $out"
        dpkg --root="$throwaway" --log="$pkg/dpkg.log" --force-not-root --force-script-chrootless \
            --no-triggers -r corvane >>"$pkg/dpkg.out" 2>&1 || fail "dpkg -r"
        [[ ! -e "$throwaway/usr/bin/corvane" ]] || fail "dpkg -r left the program"
    fi
    ;;

*)
    echo "unknown step $step" >&2
    exit 2
    ;;
esac

if ((failures > 0)); then
    echo "$step: $failures check(s) failed" >&2
    exit 1
fi
echo "$step: passed"
