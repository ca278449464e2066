#!/usr/bin/env bash
# Every option that `linkshelf-cli --help` lists is described in the manual
# page and offered by the bash completion.
# Usage: help_documented_test.sh LINKSHELF-CLI MANUAL-PAGE COMPLETION
set -euo pipefail
cli=$1 manual=$2 completion=$3

options=$("$cli" --help | grep -oE '(^|[][ |,(])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "no options found in --help"; exit 1; }

# The page as words: troff's escaped hyphens and font changes taken out.
manual_words=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manual" | tr -s ' \t|[](),' '\n')
completion_words=$(tr -s ' \t"()|' '\n' <"$completion")

missing=0
for option in $options; do
  if ! grep -qxF -- "$option" <<<"$manual_words"; then
    echo "$option is listed by --help but missing from $manual"
    missing=1
  fi
  if ! grep -qxF -- "$option" <<<"$completion_words"; then
    echo "$option is listed by --help but missing from $completion"
    missing=1
  fi
done
[ "$missing" -eq 0 ] && echo "documented: $(tr '\n' ' ' <<<"$options")"
exit "$missing"
