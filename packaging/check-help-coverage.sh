#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when an option of a program's --help (or of a subcommand's --help) is missing from its
# manual page, or, for a program with a completion file, when bash does not complete it.
# Usage: check-help-coverage.sh PROGRAM PAGE.1.gz [COMPLETION]
set -euo pipefail
program=$1 page=$2 completion=${3:-}
name=$(basename "$program")
fail=0

# The options an --help lists: the names before the description of each "  -" entry.
options_of() {
  "$program" "$@" --help | grep -E '^  -' | sed -E 's/^  //; s/ {2,}.*//' |
    grep -oE '(^|[ ,])--?[A-Za-z0-9][A-Za-z0-9-]*' | tr -d ' ,' | sort -u
}
subcommands=$("$program" --help | awk '/^Subcommands:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')

text=$(MANWIDTH=1000 LC_ALL=C man -l "$page" 2>&1)
for command in "" $subcommands; do
  [[ -z "$command" ]] || grep -qE "^ +$command\$" <<<"$text" ||
    { echo "$page: no section for the subcommand $command" >&2; fail=1; }
  # shellcheck disable=SC2086
  for option in $(options_of $command); do
    grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|\$)" <<<"$text" ||
      { echo "$page: $name $command lacks $option" >&2; fail=1; }
  done
done

if [[ -n "$completion" ]]; then
  # Asks the completion what it offers after the given words, as bash does on Tab.
  offered() {
    bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"
      shift
      COMP_WORDS=("$@")
      COMP_CWORD=$(($# - 1))
      COMP_LINE="$*"
      COMP_POINT=${#COMP_LINE}
      func=$(complete -p "$1" | sed -E "s/.*-F ([^ ]+).*/\1/")
      "$func" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
      printf "%s\n" "${COMPREPLY[@]}"' completion "$completion" "$name" "$@"
  }
  got=$(offered "")
  for command in $subcommands; do
    grep -qx "$command" <<<"$got" || { echo "$completion: $name does not offer $command" >&2; fail=1; }
  done
  for command in "" $subcommands; do
    # shellcheck disable=SC2086
    got=$(offered $command -)
    # shellcheck disable=SC2086
    for option in $(options_of $command); do
      grep -qx -- "$option" <<<"$got" ||
        { echo "$completion: $name $command does not complete $option" >&2; fail=1; }
    done
  done
  # Fixed choices and file names come from the same --help; one of each stands for them all.
  [[ $(offered spectrum --format "" | sort | tr '\n' ' ') == "csv json txt " ]] ||
    { echo "$completion: spectrum --format does not offer csv, json and txt" >&2; fail=1; }
  dir=$(mktemp -d)
  touch "$dir/one.AT2"
  got=$(cd "$dir" && offered record "")
  grep -qx one.AT2 <<<"$got" ||
    { echo "$completion: record does not offer file names" >&2; fail=1; }
  rm -rf "$dir"
fi
exit $fail
