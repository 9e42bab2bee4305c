#!/bin/bash
# The bash completion offers exactly the commands and options that
# levywise-cli's --help lists, command by command. Arguments: the program,
# the completion file.
cli=$1
# Stand-ins for bash-completion's helpers: the words as typed, no files.
_init_completion() {
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { :; }
source "$2" || exit 1

offered() { # the words offered for the last one, after the others, sorted
    COMP_WORDS=(levywise-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _levywise_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
listed() { # the options a --help lists, and the commands when it is the program's own
    local commands=""
    [[ $# -eq 0 ]] && commands='s/^  ([a-z]+) .*/\1/p'
    "$cli" "$@" --help | sed -nE "s/^  (-h,)?(--[a-z0-9-]+) .*/\2/p; $commands" | sort
}

status=0
check() {
    if ! diff <(offered "$@") <(listed "${@:1:$#-1}") >/tmp/completion-diff.$$; then
        echo "levywise-cli $*: completion (<) and --help (>) differ:"
        cat /tmp/completion-diff.$$
        status=1
    fi
}
check ""
for command in estimate compare history check list batch; do check $command -; done
rm -f /tmp/completion-diff.$$
# A value that an option takes from a fixed set is offered from that set.
[[ $(offered list --format "" | tr '\n' ' ') == "csv json text " ]] || { echo "--format"; status=1; }
exit $status
