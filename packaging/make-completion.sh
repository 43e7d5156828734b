#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the bash completion of tremvale-cli from its own --help and each subcommand's --help
# (CLI11's layout): subcommands, options, the fixed choices of an option ("TEXT:{a,b}" or "(a|b)"
# in its description) and file names for positionals and for options whose description speaks
# of a file or folder. New subcommands and options so reach the completion unedited.
# Usage: make-completion.sh PROGRAM OUTPUT
set -euo pipefail
program=$1 output=$2
name=$(basename "$program")

# One line per entry of a --help: KIND<TAB>NAMES<TAB>CHOICES, KIND one of flag, value, file,
# choice or positional; NAMES space-separated.
# shellcheck disable=SC2016
entries='
  function flush(   names, spec, kind, choices, inner, n, i, parts) {
    if (tag == "") return
    if (section == "Subcommands:") {
      tag = ""
      return
    }
    if (section == "Positionals:") {
      print "positional\t\t"
      tag = ""
      return
    }
    names = tag
    sub(/ .*/, "", names)
    gsub(/,/, " ", names)
    spec = substr(tag, length(names) + 2)
    # A value has a type name first (TEXT, INT, TEXT:{a,b}=a); a flag may still say "Excludes:".
    kind = spec ~ /^[A-Z][A-Z0-9_]*([:=]|$| )/ && spec !~ /^REQUIRED/ ? "value" : "flag"
    choices = ""
    if (match(spec, /:\{[^}]*\}/)) {
      inner = substr(spec, RSTART + 2, RLENGTH - 3)
      # "{.,,}": a comma among the choices shows as empty items.
      n = split(inner, parts, ",")
      comma = 0
      for (i = 1; i <= n; i++) {
        if (parts[i] == "") comma = 1
        else choices = choices (choices == "" ? "" : " ") parts[i]
      }
      if (comma) choices = choices " ,"
    } else if (kind == "value" && match(desc, /\([^()| ]+(\|[^()| ]+)+\)/)) {
      choices = substr(desc, RSTART + 1, RLENGTH - 2)
      gsub(/\|/, " ", choices)
    }
    if (choices != "") kind = "choice"
    else if (kind == "value" && desc ~ /(^|[^a-z])(file|folder)/) kind = "file"
    print kind "\t" names "\t" choices
    tag = ""
    desc = ""
  }
  /^[A-Z][A-Za-z ]*:$/ { flush(); section = $0; next }
  /^$/ { flush(); next }
  /^                              / { sub(/^ +/, ""); desc = desc " " $0; next }
  /^  [^ ]/ {
    flush()
    tag = substr($0, 3)
    desc = ""
    gap = index(tag, "  ")
    if (gap) {
      desc = substr(tag, gap)
      tag = substr(tag, 1, gap - 1)
    }
    next
  }
'

subcommands=$("$program" --help | awk '/^Subcommands:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')
[[ -n "$subcommands" ]] || { echo "make-completion.sh: $program --help lists no subcommands" >&2; exit 1; }
function_name=_$(tr -c 'A-Za-z0-9\n' _ <<<"$name")

{
  echo "# bash completion for $name, made from its --help by make-completion.sh."
  echo "$function_name() {"
  echo '  local cur prev words cword split'
  echo '  _init_completion -s || return'
  echo '  local command="" i'
  echo '  for ((i = 1; i < cword; i++)); do'
  echo '    case ${words[i]} in'
  echo "      $(tr '\n' '|' <<<"$subcommands" | sed 's/|$//; s/|/ | /g')) command=\${words[i]}; break ;;"
  echo '    esac'
  echo '  done'
  echo '  local options="" files=""'
  echo '  case $command in'
  printf "    '') options='%s' ;;\n" \
    "$("$program" --help | awk "$entries END { flush() }" | cut -f2 | tr '\n' ' ' | sed 's/ *$//')"
  values=""
  for command in $subcommands; do
    table=$("$program" "$command" --help | awk "$entries END { flush() }")
    options=$(awk -F'\t' '$1 != "positional" { print $2 }' <<<"$table" | tr '\n' ' ' | sed 's/ *$//')
    files=$(grep -q '^positional' <<<"$table" && echo 1 || true)
    printf "    %s) options='%s' files=%s ;;\n" "$command" "$options" "$files"
    while IFS=$'\t' read -r kind names choices; do
      patterns=""
      for option in $names; do patterns+="${patterns:+ | }'$command $option'"; done
      case $kind in
        choice) values+="    $patterns) COMPREPLY=(\$(compgen -W '$choices' -- \"\$cur\")) ; return ;;"$'\n' ;;
        file) values+="    $patterns) _filedir ; return ;;"$'\n' ;;
        value) values+="    $patterns) return ;;"$'\n' ;;
      esac
    done <<<"$table"
  done
  echo '  esac'
  echo '  case "$command $prev" in'
  printf '%s' "$values"
  echo '  esac'
  echo '  $split && return'
  echo '  if [[ $cur == -* ]]; then'
  echo '    COMPREPLY=($(compgen -W "$options" -- "$cur"))'
  echo '  elif [[ -z $command ]]; then'
  echo "    COMPREPLY=(\$(compgen -W '$(tr '\n' ' ' <<<"$subcommands" | sed 's/ *$//')' -- \"\$cur\"))"
  echo '  elif [[ -n $files ]]; then'
  echo '    _filedir'
  echo '  else'
  echo '    COMPREPLY=($(compgen -W "$options" -- "$cur"))'
  echo '  fi'
  echo '}'
  echo "complete -F $function_name $name"
} >"$output"
bash -n "$output"
