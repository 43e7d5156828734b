#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a program's manual page (gzip -9n) with help2man from its own --help and --version,
# the hand-written sections of INCLUDE (name, exit status), for a program with subcommands a
# COMMANDS section made from each subcommand's --help, and an EXAMPLES section made from the
# section HEADING of the Markdown file README. New subcommands, options and examples so reach
# the page without anyone editing it.
# Usage: make-manual.sh PROGRAM INCLUDE OUTPUT.gz [README HEADING]
set -euo pipefail
program=$1 include=$2 output=$3 readme=${4:-} heading=${5:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# roff of one subcommand's --help (CLI11's layout): its usage and description, then each
# positional and option as a tagged paragraph. An entry is "  NAME  DESCRIPTION"; a long NAME
# puts its description on the lines below, indented by 30 columns. Plain POSIX awk.
# shellcheck disable=SC2016
to_roff='
  function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    return text
  }
  function bold_options(text,   out) {
    out = ""
    while (match(text, /\\-\\-[a-z0-9]([a-z0-9]|\\-)*/)) {
      out = out substr(text, 1, RSTART - 1) "\\fB" substr(text, RSTART, RLENGTH) "\\fR"
      text = substr(text, RSTART + RLENGTH)
    }
    return out text
  }
  function emit(text) {
    if (text ~ /^[.\047]/) text = "\\&" text
    print text
  }
  function flush(   name, rest) {
    if (tag == "") return
    name = tag
    sub(/ .*/, "", name)
    rest = substr(tag, length(name) + 1)
    print ".TP"
    emit("\\fB" roff(name) "\\fR" roff(rest))
    emit(bold_options(roff(desc)))
    tag = ""
    desc = ""
  }
  NR == 1 { print ".SS " command }
  /^Usage: / {
    print ".B " roff(substr($0, 8))
    print ".PP"
    emit(bold_options(roff(about)))
    in_entries = 1
    next
  }
  !in_entries { about = about (about == "" ? "" : " ") $0; next }
  /^$/ || /^[A-Z][A-Za-z ]*:$/ { flush(); next }
  /^                              / {
    sub(/^ +/, "")
    desc = desc (desc == "" ? "" : " ") $0
    next
  }
  /^  [^ ]/ {
    flush()
    tag = substr($0, 3)
    desc = ""
    gap = index(tag, "  ")
    if (gap) {
      desc = substr(tag, gap)
      sub(/^ +/, "", desc)
      tag = substr(tag, 1, gap - 1)
    }
    next
  }
  { print "make-manual.sh: unexpected help line: " $0 > "/dev/stderr"; exit 1 }
  END { flush() }
'

# help2man orders sections it does not know by their first appearance: commands first.
: >"$work/include.h2m"
subcommands=$("$program" --help | awk '/^Subcommands:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')
if [[ -n "$subcommands" ]]; then
  printf '\n[COMMANDS]\n' >>"$work/include.h2m"
  for name in $subcommands; do
    "$program" "$name" --help | awk -v command="$name" "$to_roff" >>"$work/include.h2m"
  done
fi
cat "$include" >>"$work/include.h2m"

# roff of one section of a Markdown file: paragraphs, "- " lists, indented code blocks kept as
# they are, `code` in bold.
# shellcheck disable=SC2016
markdown_to_roff='
  function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    return text
  }
  function inline(text,   out) {
    text = roff(text)
    out = ""
    while (match(text, /`[^`]+`/)) {
      out = out substr(text, 1, RSTART - 1) "\\fB" substr(text, RSTART + 1, RLENGTH - 2) "\\fR"
      text = substr(text, RSTART + RLENGTH)
    }
    text = out text
    if (text ~ /^[.\047]/) text = "\\&" text
    return text
  }
  $0 == "## " heading { on = 1; next }
  on && /^## / { exit }
  !on { next }
  /^    / {
    if (!code) print ".PP\n.RS\n.nf"
    if (code && blank) print ".sp"
    code = 1
    blank = 0
    line = roff(substr($0, 5))
    if (line ~ /^[.\047]/) line = "\\&" line
    print line
    next
  }
  code && /^$/ { blank = 1; next }
  code { print ".fi\n.RE"; code = 0; blank = 0; para = 0 }
  /^$/ { para = 0; next }
  /^- / { print ".IP \\(bu 2"; print inline(substr($0, 3)); para = 1; next }
  { if (!para) print ".PP"; para = 1; print inline($0) }
  END { if (code) print ".fi\n.RE" }
'

if [[ -n "$readme" ]]; then
  printf '\n[EXAMPLES]\n' >>"$work/include.h2m"
  awk -v heading="$heading" "$markdown_to_roff" "$readme" >>"$work/include.h2m"
fi

help2man --no-info --version-option=--version --include="$work/include.h2m" \
  --output="$work/page.1" "$program"
gzip -9n <"$work/page.1" >"$output"
